#include "HelpViewer.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "OwnedWindows.h"

std::map<int, HelpTopic> ReadHelpTopics(const std::string& helpFile) {
    std::map<int, HelpTopic> topics;
    QFile file(QString::fromStdString(helpFile));
    if (!file.open(QIODevice::ReadOnly)) return topics;
    const QString text = QString::fromUtf8(file.readAll());
    static const QRegularExpression marker(R"(<!--\s*topic\s+(\d+)\s*:\s*(.*?)\s*-->)");
    auto it = marker.globalMatch(text);
    int previousContext = -1;
    qsizetype previousEnd = 0;
    std::string previousTitle;
    auto flush = [&](qsizetype end) {
        if (previousContext >= 0)
            topics[previousContext] = {previousTitle, text.mid(previousEnd, end - previousEnd).trimmed().toStdString()};
    };
    while (it.hasNext()) {
        const auto m = it.next();
        flush(m.capturedStart());
        previousContext = m.captured(1).toInt();
        previousTitle = m.captured(2).toStdString();
        previousEnd = m.capturedEnd();
    }
    flush(text.size());
    return topics;
}

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent) {
    setObjectName("HelpViewer");
    setWindowTitle("Vorn 5.0 Help");
    setModal(false);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("helpText");
    browser_->setOpenLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(browser_);
    resize(520, 420);
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == "topic") ShowTopic(url.path().toInt());
        else if (url.scheme() == "contents") ShowContents();
    });
}

HelpViewer& HelpViewer::Instance() {
    static HelpViewer* viewer = new HelpViewer;
    return *viewer;
}

void HelpViewer::ShowHelp(const std::string& helpFile, int32_t command, int32_t context) {
    file_ = helpFile;
    topics_ = ReadHelpTopics(helpFile);
    if (topics_.empty()) {
        shown_ = 0;
        browser_->setHtml("<p>The help file <b>" + QString::fromStdString(helpFile).toHtmlEscaped() +
                          "</b> could not be read.</p>");
    } else if (command == 11) {
        ShowContents();
    } else {
        ShowTopic(context);
    }
    // In front of the window that asked, and usable while that window runs modally.
    if (QWidget* asker = owned::AskingWindow(); asker != this) owned::SetOwner(*this, asker);
    show();
    raise();
    activateWindow();
}

void HelpViewer::ShowTopic(int context) {
    auto it = topics_.find(context);
    if (it == topics_.end()) {
        shown_ = 0;
        browser_->setHtml(QString("<p>There is no help topic %1.</p><p><a href=\"contents:\">Contents</a></p>")
                              .arg(context));
        return;
    }
    shown_ = context;
    setWindowTitle("Vorn 5.0 Help - " + QString::fromStdString(it->second.title));
    browser_->setHtml(QString::fromStdString(it->second.html) +
                      "<hr><p><a href=\"contents:\">Contents</a></p>");
}

void HelpViewer::ShowContents() {
    shown_ = -1;
    setWindowTitle("Vorn 5.0 Help - Contents");
    QString html;
    if (auto it = topics_.find(1); it != topics_.end()) html += QString::fromStdString(it->second.html);
    html += "<h3>Topics</h3><ul>";
    for (const auto& [context, topic] : topics_) {
        if (context == 1) continue;
        html += QString("<li><a href=\"topic:%1\">%2</a></li>")
                    .arg(context)
                    .arg(QString::fromStdString(topic.title).toHtmlEscaped());
    }
    html += "</ul>";
    browser_->setHtml(html);
}
