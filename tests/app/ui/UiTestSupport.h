#ifndef UITESTSUPPORT_H
#define UITESTSUPPORT_H
// What the window tests share: a private working folder (the program writes its log and
// new data files into the current folder, and the tests keep the daily error log there
// too), a way to act inside a modal dialog, typing into a box as a user does, and reading
// reports line by line.
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "Hald_Error.h"

class WorkingFolder {
public:
    WorkingFolder() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("vorn-ui-test-" + std::to_string(rd()));
        std::filesystem::create_directories(path_ / "data");
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
        if (const char* old = std::getenv("XDG_DATA_HOME")) oldXdg_ = old, hadXdg_ = true;
        setenv("XDG_DATA_HOME", (path_ / "data").c_str(), 1);
        // Not the program's folder (the build's bin), which the tests must leave alone.
        ErrorLogging::SetLogFolder(path_.string());
    }
    ~WorkingFolder() {
        ErrorLogging::SetLogFolder("");
        std::filesystem::current_path(previous_);
        hadXdg_ ? setenv("XDG_DATA_HOME", oldXdg_.c_str(), 1) : unsetenv("XDG_DATA_HOME");
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // Copies a fixture of tests/data here under `name` and returns its path.
    std::string fixture(const std::string& fixtureName, const std::string& name) const {
        std::filesystem::copy_file(std::string(TEST_DATA_DIR) + "/" + fixtureName, path_ / name,
                                   std::filesystem::copy_options::overwrite_existing);
        return file(name);
    }
    // Today's daily error log, empty when nothing was logged.
    std::string errorLog() const { return read(ErrorLogging::LogFilePath()); }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path path_, previous_;
    std::string oldXdg_;
    bool hadXdg_ = false;
};

// Runs `act` on the modal dialog of type T once it is showing (from inside its exec()).
// Another modal window showing instead is rejected, so a test never hangs on it.
template <typename T>
void WhenModal(std::function<void(T&)> act, bool* seen = nullptr, int tries = 100) {
    QTimer::singleShot(tries == 100 ? 0 : 10, [act, seen, tries] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<T*>(modal)) {
            if (seen) *seen = true;
            act(*dialog);
        } else if (tries > 0) {
            WhenModal<T>(act, seen, tries - 1);
        } else if (auto* other = qobject_cast<QDialog*>(modal)) {
            other->reject();
        }
    });
}

// Enters the box (whose text is then selected), types `text` and, unless told not to,
// leaves the box with Tab.
inline void TypeInto(QLineEdit* box, const QString& text, bool leave = true) {
    box->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QTest::keyClicks(box, text);
    if (leave) QTest::keyClick(box, Qt::Key_Tab);
    QApplication::processEvents();
    QApplication::processEvents();
}

// The lines of a text whose lines end in CR LF.
inline std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t p; (p = text.find("\r\n", start)) != std::string::npos; start = p + 2)
        lines.push_back(text.substr(start, p - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

#endif
