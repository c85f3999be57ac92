#include "BoxChecks.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>

#include "forms/FormsService.h"
#include "vb/VbError.h"

BoxChecks::BoxChecks(QWidget* dialog, std::function<bool(QWidget*)> checksNothing)
    : dialog_(dialog), checksNothing_(std::move(checksNothing)) {}

void BoxChecks::Add(QLineEdit* box, std::function<bool()> check) {
    box->installEventFilter(this);
    boxes_.push_back({box, std::move(check)});
}

bool BoxChecks::Check(QLineEdit* box) {
    std::erase_if(waiting_, [box](const QPointer<QLineEdit>& b) { return !b || b == box; });
    const auto it = std::find_if(boxes_.begin(), boxes_.end(), [box](const Entry& e) { return e.box == box; });
    if (it == boxes_.end() || !it->check) return true;
    bool passed = false;
    try {
        passed = it->check();
    } catch (const VbError& err) {
        forms::Forms().MsgBox(err.Description, forms::vbExclamation, forms::kAppTitle);
    }
    if (!passed) Refocus(box);
    return passed;
}

bool BoxChecks::CheckAll() {
    for (const Entry& e : boxes_)
        if (e.box->isEnabled() && !Check(e.box)) return false;
    return true;
}

void BoxChecks::Refocus(QLineEdit* box) {
    refocusing_ = true;
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    refocusing_ = false;
}

void BoxChecks::Left(QLineEdit* box) {
    const auto it = std::find(waiting_.begin(), waiting_.end(), box);
    if (it == waiting_.end()) return;  // checked since it was left
    waiting_.erase(it);
    if (!dialog_->isVisible() || !box->isEnabled()) return;
    QWidget* now = QApplication::focusWidget();
    if (now == box || (now && now->window() != dialog_->window()) || checksNothing_(now)) return;
    Check(box);
}

bool BoxChecks::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box) return false;
    if (event->type() == QEvent::FocusIn) {
        // Selected after the click that gave the focus has placed the caret.
        QPointer<QLineEdit> b(box);
        QTimer::singleShot(0, box, [b] {
            if (b) b->selectAll();
        });
    } else if (event->type() == QEvent::FocusOut && !refocusing_) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
        if (std::find(waiting_.begin(), waiting_.end(), box) == waiting_.end()) waiting_.emplace_back(box);
        QPointer<QLineEdit> b(box);
        QTimer::singleShot(0, this, [this, b] {
            if (b) Left(b);
        });
    }
    return false;
}
