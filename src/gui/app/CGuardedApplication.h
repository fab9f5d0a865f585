#pragma once

#include <functional>
#include <string>

#include <QApplication>

namespace vantrel {

// The application object whose event loop outlives an error: whatever an
// event handler throws and nothing catches ends up in the error handler
// (which keeps the user's work and says what happened) instead of ending the
// program, and the loop goes on.
class CGuardedApplication : public QApplication {
    Q_OBJECT
public:
    using ErrorHandler = std::function<void(const std::string& what)>;

    CGuardedApplication(int& argc, char** argv);

    // The error is written to standard error, then handed to the handler.
    void setErrorHandler(ErrorHandler handler) { handler_ = std::move(handler); }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void report(const std::string& what);

    ErrorHandler handler_;
    bool reporting_ = false;
};

}  // namespace vantrel
