#include "ParamDialog.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "MVornGlobs.h"
#include "forms/FormsService.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

ParamDialog::ParamDialog(QWidget* parent) : QDialog(parent) {}

void ParamDialog::AddBox(QLineEdit* box, std::function<bool()> check) {
    box->installEventFilter(this);
    boxes_.push_back({box, std::move(check)});
}

bool ParamDialog::CheckBox(QLineEdit* box) {
    for (const Entry& e : boxes_) {
        if (e.box != box) continue;
        bool passed = false;
        try {
            passed = e.check();
        } catch (const VbError& err) {
            forms::Forms().MsgBox(err.Description, forms::vbExclamation, forms::kAppTitle);
        }
        if (!passed) {
            refocusing_ = true;
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
            refocusing_ = false;
        }
        return passed;
    }
    return true;
}

bool ParamDialog::CheckAllBoxes() {
    for (const Entry& e : boxes_)
        if (e.box->isEnabled() && !CheckBox(e.box)) return false;
    return true;
}

bool ParamDialog::CheckRangeOrder(QLineEdit* lo, QLineEdit* hi) {
    if (vb::CDbl(hi->text().toStdString()) >= vb::CDbl(lo->text().toStdString())) return true;
    forms::Forms().Beep();
    forms::Forms().MsgBox("Invalid range specified", forms::vbExclamation, forms::kAppTitle);
    refocusing_ = true;
    hi->setFocus(Qt::OtherFocusReason);
    hi->selectAll();
    refocusing_ = false;
    return false;
}

void ParamDialog::BoxLostFocus(QLineEdit* box) {
    if (refocusing_ || cancelling_ || !isVisible() || !box->isEnabled()) return;
    QWidget* now = QApplication::focusWidget();
    if (now == box || (cancelButton_ && now == cancelButton_)) return;
    if (now && now->window() != this) return;
    CheckBox(box);
}

bool ParamDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        QPointer<QLineEdit> b(box);
        QTimer::singleShot(0, box, [b] {
            if (b) b->setSelection(0, 1000);
        });
    } else if (event->type() == QEvent::FocusOut && !refocusing_) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Switching application or opening a menu is not leaving the box.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            QPointer<QLineEdit> b(box);
            QTimer::singleShot(0, this, [this, b] {
                if (b) BoxLostFocus(b);
            });
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ParamDialog::MakeButtons(const QString& okCaption, const QString& cancelCaption) {
    cmdOK = new QPushButton(okCaption, this);
    cmdOK->setObjectName("cmdOK");
    cmdCancel = new QPushButton(cancelCaption, this);
    cmdCancel->setObjectName("cmdCancel");
    cmdHelp = new QPushButton(QString::fromStdString(MVornGlobs::HelpCaption), this);
    cmdHelp->setObjectName("cmdHelp");
    cmdOK->setDefault(true);
    cancelButton_ = cmdCancel;
}

QHBoxLayout* ParamDialog::ButtonRow() {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cmdOK);
    row->addWidget(cmdCancel);
    row->addWidget(cmdHelp);
    return row;
}

void ParamDialog::Finish(bool accepted) {
    hide();
    done(accepted ? QDialog::Accepted : QDialog::Rejected);
    forms::Forms().DoEvents();
}
