#include "KeyedStatusBar.h"

#include <QLabel>

KeyedStatusBar::KeyedStatusBar(QWidget* parent) : QStatusBar(parent) { setSizeGripEnabled(true); }

void KeyedStatusBar::AddPanel(const std::string& key, int stretch, int minimumWidth) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromStdString("panel_" + key));
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(minimumWidth);
    addPermanentWidget(label, stretch);
    panels_[key] = label;
}

QLabel* KeyedStatusBar::Panel(const std::string& key) const {
    auto it = panels_.find(key);
    return it == panels_.end() ? nullptr : it->second;
}

void KeyedStatusBar::SetPanelText(const std::string& key, const std::string& text) {
    if (QLabel* label = Panel(key)) {
        label->setText(QString::fromStdString(text));
        label->repaint();
    }
}

std::string KeyedStatusBar::PanelText(const std::string& key) const {
    const QLabel* label = Panel(key);
    return label ? label->text().toStdString() : std::string();
}
