#include "app/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

namespace vantrel {

namespace {

// The libraries linked into a program of the package (test and benchmark
// libraries are not shipped).
struct Library {
    const char* name;
    const char* usedBy;
    const char* licence;
};
constexpr Library kLibraries[] = {
    {"Qt " QT_VERSION_STR " (Core, GUI, Widgets)", "vantrel", "GNU LGPL v3"},
    {"JSON for Modern C++ (nlohmann-json)", "vantrel-cli", "MIT"},
};

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("バージョン情報 VANTREL"));
    QStringList lines{QStringLiteral("VANTREL Version " VANTREL_VERSION_TEXT),
                      QStringLiteral("Copyright (C) KESSLAND"),
                      QString(),
                      tr("ビルド日: %1").arg(QStringLiteral(VANTREL_BUILD_DATE)),
                      tr("Qt バージョン: %1").arg(QString::fromLatin1(qVersion())),
                      QString(),
                      tr("使用ライブラリとライセンス:")};
    for (const Library& library : kLibraries)
        lines << QStringLiteral("  %1 (%2): %3")
                     .arg(QString::fromUtf8(library.name), QString::fromUtf8(library.usedBy),
                          QString::fromUtf8(library.licence));
    body_ = new QLabel(lines.join(QLatin1Char('\n')), this);
    body_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(body_);
    layout->addWidget(buttons);
}

QString CAboutDlg::text() const { return body_->text(); }

}  // namespace vantrel
