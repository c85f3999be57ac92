#include "QtForms.h"

#include <algorithm>
#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QRegularExpression>

namespace forms {
namespace qtforms {

namespace {
using SB = QMessageBox::StandardButton;

QString fromStd(const std::string& s) { return QString::fromStdString(s); }

// Swallows Esc in a box without an escape button: there Esc did nothing at all.
class SwallowEscape : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            return true;
        return QObject::eventFilter(watched, event);
    }
};
}  // namespace

std::vector<QMessageBox::StandardButton> ButtonsFor(int32_t code) {
    switch (code & 7) {
        case vbOKCancel: return {SB::Ok, SB::Cancel};
        case vbAbortRetryIgnore: return {SB::Abort, SB::Retry, SB::Ignore};
        case vbYesNoCancel: return {SB::Yes, SB::No, SB::Cancel};
        case vbYesNo: return {SB::Yes, SB::No};
        case vbRetryCancel: return {SB::Retry, SB::Cancel};
        default: return {SB::Ok};
    }
}

QMessageBox::Icon IconFor(int32_t code) {
    switch (code & 0x70) {
        case vbCritical: return QMessageBox::Critical;
        case vbQuestion: return QMessageBox::Question;
        case vbExclamation: return QMessageBox::Warning;
        case vbInformation: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButton EscapeFor(int32_t code) {
    auto buttons = ButtonsFor(code);
    for (SB b : buttons)
        if (b == SB::Cancel) return b;
    if (buttons.size() == 1) return buttons.front();
    return SB::NoButton;
}

QMessageBox::StandardButton DefaultFor(int32_t code) {
    auto buttons = ButtonsFor(code);
    size_t index = (code & 0x300) >> 8;  // +256 second, +512 third
    return index < buttons.size() ? buttons[index] : buttons.front();
}

int16_t ResultFor(QMessageBox::StandardButton button) {
    switch (button) {
        case SB::Ok: return vbOK;
        case SB::Cancel: return vbCancel;
        case SB::Abort: return vbAbort;
        case SB::Retry: return vbRetry;
        case SB::Ignore: return vbIgnore;
        case SB::Yes: return vbYes;
        case SB::No: return vbNo;
        default: return 0;
    }
}

QString PromptText(const std::string& prompt) {
    QString text = fromStd(prompt);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString TitleText(const std::string& title) { return title.empty() ? QString(kAppTitle) : fromStd(title); }

std::unique_ptr<QMessageBox> BuildMessageBox(const std::string& prompt, int32_t buttons,
                                             const std::string& title, std::function<void()> onHelp,
                                             QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(IconFor(buttons), TitleText(title), PromptText(prompt),
                                             QMessageBox::NoButton, parent);
    for (SB b : ButtonsFor(buttons)) box->addButton(b);
    box->setDefaultButton(DefaultFor(buttons));
    if (SB esc = EscapeFor(buttons); esc != SB::NoButton) {
        box->setEscapeButton(esc);
    } else {
        box->installEventFilter(new SwallowEscape(box.get()));
        box->setWindowFlag(Qt::WindowCloseButtonHint, false);
    }
    if (buttons & vbMsgBoxHelpButton) {
        QPushButton* help = box->addButton(QMessageBox::Help);
        // Help shows the topic and leaves the box open: cut the button off from the box's
        // own "clicked closes" connection.
        help->disconnect();
        QObject::connect(help, &QPushButton::clicked, box.get(), [onHelp] {
            if (onHelp) onHelp();
        });
    }
    return box;
}

int16_t ResultOf(const QMessageBox& box, int32_t code) {
    QAbstractButton* clicked = box.clickedButton();
    int16_t r = clicked ? ResultFor(box.standardButton(clicked)) : 0;
    if (r != 0) return r;
    // Closed some other way: what Esc would have given, else the first button.
    SB esc = EscapeFor(code);
    return ResultFor(esc != SB::NoButton ? esc : ButtonsFor(code).front());
}

QStringList NameFilters(const std::string& vbFilter) {
    QStringList parts = fromStd(vbFilter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString desc = parts[i].trimmed();
        // "Vorn 5.0 (*.vn5)": the patterns in brackets are written again below.
        if (desc.endsWith(QLatin1Char(')'))) {
            qsizetype open = desc.lastIndexOf(QLatin1Char('('));
            if (open > 0) desc = desc.left(open).trimmed();
        }
        QStringList patterns;
        auto add = [&](const QString& p) {
            if (!p.isEmpty() && !patterns.contains(p)) patterns << p;
        };
        for (QString p : parts[i + 1].split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts)) {
            if (p == QLatin1String("*.*")) p = QStringLiteral("*");
            add(p);
            add(p.toLower());
            add(p.toUpper());
        }
        if (patterns.isEmpty()) patterns << QStringLiteral("*");
        filters << (desc.isEmpty() ? patterns.join(QLatin1Char(' '))
                                   : desc + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return filters;
}

QString DefaultSuffix(const std::string& defaultExt) {
    QString s = fromStd(defaultExt);
    while (s.startsWith(QLatin1Char('.'))) s.remove(0, 1);
    return s;
}

}  // namespace qtforms

namespace {
QWidget* dialogParent() { return QApplication::activeWindow(); }

std::string runFileDialog(const FileDialogRequest& request, bool save) {
    QFileDialog dlg(dialogParent());
    if (!request.title.empty()) dlg.setWindowTitle(QString::fromStdString(request.title));
    QStringList filters = qtforms::NameFilters(request.filter);
    if (!filters.isEmpty()) dlg.setNameFilters(filters);
    if (save) {
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        dlg.setDefaultSuffix(qtforms::DefaultSuffix(request.defaultExt));  // only for names without one
        if (!(request.flags & 2)) dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.fileName.empty()) dlg.selectFile(QString::fromStdString(request.fileName));
    if (dlg.exec() != QDialog::Accepted) return {};
    QStringList files = dlg.selectedFiles();
    return files.isEmpty() ? std::string() : files.front().toStdString();
}
}  // namespace

int16_t QtForms::MsgBox(const std::string& prompt, int32_t buttons, const std::string& title,
                        const std::string& helpFile, int32_t context) {
    auto box = qtforms::BuildMessageBox(prompt, buttons, title,
                                        [this, helpFile, context] { ShowHelp(helpFile, 1, context); },
                                        dialogParent());
    box->exec();
    return qtforms::ResultOf(*box, buttons);
}

std::string QtForms::InputBox(const std::string& prompt, const std::string& title,
                              const std::string& defaultText) {
    bool ok = false;
    QString text = QInputDialog::getText(dialogParent(), qtforms::TitleText(title), qtforms::PromptText(prompt),
                                         QLineEdit::Normal, QString::fromStdString(defaultText), &ok);
    return ok ? text.toStdString() : std::string();
}

void QtForms::Beep() { QApplication::beep(); }

void QtForms::DoEvents() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

void QtForms::SetHourglass(bool on) {
    if (on == hourglass_) return;  // one override per hourglass, so every path restores it
    if (on) QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else QApplication::restoreOverrideCursor();
    hourglass_ = on;
}

std::string QtForms::ShowOpen(const FileDialogRequest& request) { return runFileDialog(request, false); }

std::string QtForms::ShowSave(const FileDialogRequest& request) { return runFileDialog(request, true); }

bool QtForms::ShowFont(FontChoice& font, int32_t minSize, int32_t maxSize) {
    QFont initial(QString::fromStdString(font.name));
    if (font.size > 0) initial.setPointSizeF(font.size);
    initial.setBold(font.bold);
    initial.setItalic(font.italic);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, dialogParent());
    if (!ok) return false;
    font.name = chosen.family().toStdString();
    // The dialog offers any size; the choice is held to the allowed ones.
    font.size = static_cast<float>(std::clamp(chosen.pointSizeF(), static_cast<double>(minSize),
                                              static_cast<double>(maxSize)));
    font.bold = chosen.bold();
    font.italic = chosen.italic();
    return true;
}

void QtForms::ShowHelp(const std::string& helpFile, int32_t command, int32_t context) {
    if (help_) help_(helpFile, command, context);
}

}  // namespace forms
