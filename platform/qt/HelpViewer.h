#ifndef HELPVIEWER_H
#define HELPVIEWER_H
// The program's help: a window that shows one topic of the help file at a time. The help
// file is one HTML text in which every topic starts with a marker line
//   <!-- topic 49: New data set -->
// (context number and title). Command 1 shows the topic of a context number, command 11
// the contents: topic 1 followed by a link to every topic.
#include <QDialog>
#include <map>
#include <string>

class QTextBrowser;

struct HelpTopic {
    std::string title;
    std::string html;
};

// The topics of a help file by context number; empty when the file cannot be read.
std::map<int, HelpTopic> ReadHelpTopics(const std::string& helpFile);

class HelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // What the forms service's ShowHelp asks for. A missing file or topic is said in
    // the window itself rather than in a box. The window that asked owns the viewer.
    void ShowHelp(const std::string& helpFile, int32_t command, int32_t context);

    int ShownContext() const { return shown_; }  // -1: the contents, 0: nothing found
    QTextBrowser* browser() const { return browser_; }

    // The one viewer of the program (made on first use, without a parent).
    static HelpViewer& Instance();

private:
    void ShowTopic(int context);
    void ShowContents();

    QTextBrowser* browser_;
    std::map<int, HelpTopic> topics_;
    std::string file_;
    int shown_ = 0;
};

#endif
