#include "frmLog.h"

#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <exception>

#include "LogDocument.h"
#include "forms/FormsService.h"
#include "vb/VbError.h"

namespace {

// No error leaves a menu command: show it and carry on.
template <typename F>
void Guarded(F&& command) {
    try {
        command();
    } catch (const VbError& e) {
        forms::Forms().MsgBox(e.Description, forms::vbCritical);
    } catch (const std::exception& e) {
        forms::Forms().MsgBox(e.what(), forms::vbCritical);
    }
}

}  // namespace

frmLog::frmLog(LogDocument& document, QWidget* parent) : QDialog(parent), document_(document) {
    setObjectName("frmLog");
    setSizeGripEnabled(true);
    menuBar_ = new QMenuBar(this);
    QMenu* mnuFile = menuBar_->addMenu("&File");
    mnuFile->setObjectName("mnuFile");
    mnuSave = mnuFile->addAction("&Save");
    mnuSave->setObjectName("mnuSave");
    mnuSaveAs = mnuFile->addAction("Save &As");
    mnuSaveAs->setObjectName("mnuSaveAs");
    mnuFile->addSeparator();
    mnuPrint = mnuFile->addAction("&Print");
    mnuPrint->setObjectName("mnuPrint");
    mnuClear = mnuFile->addAction("&Clear Log");
    mnuClear->setObjectName("mnuClear");
    mnuFile->addSeparator();
    mnuExit = mnuFile->addAction("E&xit");
    mnuExit->setObjectName("mnuExit");

    txtText = new QPlainTextEdit(this);
    txtText->setObjectName("txtText");
    txtText->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar_);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(txtText);
    resize(640, 420);

    // UI -> model
    connect(mnuSave, &QAction::triggered, this, [this] { Guarded([this] { document_.Save(); }); });
    connect(mnuSaveAs, &QAction::triggered, this, [this] { Guarded([this] { document_.SaveAs(); }); });
    connect(mnuPrint, &QAction::triggered, this,
            [this] { Guarded([this] { document_.Print(txtText->toPlainText().toStdString()); }); });
    connect(mnuClear, &QAction::triggered, this, [this] { Guarded([this] { document_.Clear(); }); });
    connect(mnuExit, &QAction::triggered, this, [this] { hide(); });

    // model -> UI
    document_.onTextChanged = [this] { ShowText(); };
    document_.onCaptionChanged = [this] { ShowCaption(); };
    ShowText();
    ShowCaption();
}

frmLog::~frmLog() {
    document_.onTextChanged = nullptr;
    document_.onCaptionChanged = nullptr;
}

void frmLog::ShowText() { txtText->setPlainText(QString::fromStdString(document_.Text())); }

void frmLog::ShowCaption() { setWindowTitle(QString::fromStdString(document_.Caption())); }

void frmLog::Show(bool modal) {
    ShowCaption();
    if (modal) {
        exec();
    } else {
        show();
        raise();
        activateWindow();
    }
}

void InstallQtLogWindows() {
    SetLogViewFactory([](LogDocument& document) -> std::unique_ptr<ILogView> {
        return std::make_unique<frmLog>(document);
    });
}
