#ifndef KEYEDSTATUSBAR_H
#define KEYEDSTATUSBAR_H
// A status bar of text panels addressed by key ("Status", "NUMBER", ...). Setting a text
// paints it at once.
#include <QStatusBar>
#include <map>
#include <string>

class QLabel;

class KeyedStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit KeyedStatusBar(QWidget* parent = nullptr);

    // Adds a panel; `stretch` > 0 lets it take the free width, otherwise it is
    // `minimumWidth` pixels wide.
    void AddPanel(const std::string& key, int stretch = 0, int minimumWidth = 80);
    void SetPanelText(const std::string& key, const std::string& text);
    std::string PanelText(const std::string& key) const;
    QLabel* Panel(const std::string& key) const;

private:
    std::map<std::string, QLabel*> panels_;
};

#endif
