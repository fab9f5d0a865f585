#pragma once

// Shared by the GUI tests: temporary per-user folders for every test program
// (so no test touches the user's files or another test's lock), a recorder
// that stands in for the message box, and a main() that sets both up.

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "data/Refusal.h"
#include "ui/MessageBox.h"

namespace vantrel::test {

// How long a test waits for the controller or a window: a guard against a
// hang only; nothing measures time with it.
inline constexpr int kPatience = 60000;

// Every message and question of the program lands here instead of a modal
// box. Questions get `answer`'s reply (no by default). The newest recorder
// takes the messages; only it puts the message box back when it goes, so a
// recorder made before the last one is gone does not bring real boxes back.
class MessageRecorder {
public:
    MessageRecorder() {
        newest() = this;
        ui::setMessageHandler([this](QWidget*, const Refusal& message, ui::MessageButtons buttons) {
            messages.push_back(message);
            if (buttons == ui::MessageButtons::Ok) return ui::MessageAnswer::Ok;
            if (reply) return reply(message);
            return answer && answer(message) ? ui::MessageAnswer::Yes : ui::MessageAnswer::No;
        });
    }
    ~MessageRecorder() {
        if (newest() != this) return;
        newest() = nullptr;
        ui::setMessageHandler({});
    }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    bool has(const std::string& text) const {
        for (const auto& m : messages)
            if (m.text == text) return true;
        return false;
    }
    const Refusal* find(const std::string& text) const {
        for (const auto& m : messages)
            if (m.text == text) return &m;
        return nullptr;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const auto& m : messages) all.push_back(m.text);
        return all;
    }
    QString dump() const {
        QString out;
        for (const auto& t : texts()) out += QString::fromStdString(t) + QStringLiteral(" | ");
        return out;
    }

    std::vector<Refusal> messages;
    std::function<bool(const Refusal&)> answer;
    // When set, answers every question instead of `answer` (Cancel too).
    std::function<ui::MessageAnswer(const Refusal&)> reply;

private:
    static MessageRecorder*& newest() {
        static MessageRecorder* recorder = nullptr;
        return recorder;
    }
};

// Points XDG_DATA_HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR into a folder of
// this run.
inline void useTemporaryUserFolders(const QTemporaryDir& root) {
    for (const char* name : {"data", "config", "runtime"}) QDir(root.path()).mkpath(QString::fromLatin1(name));
    QFile::setPermissions(root.path() + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_DATA_HOME", (root.path() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (root.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (root.path() + QStringLiteral("/runtime")).toLocal8Bit());
}

}  // namespace vantrel::test

#define VANTREL_GUI_TEST_MAIN(TestClass)                                       \
    int main(int argc, char** argv) {                                          \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                    \
            qputenv("QT_QPA_PLATFORM", "offscreen");                           \
        QTemporaryDir root;                                                    \
        vantrel::test::useTemporaryUserFolders(root);                          \
        QApplication application(argc, argv);                                  \
        TestClass test;                                                        \
        return QTest::qExec(&test, argc, argv);                                \
    }
