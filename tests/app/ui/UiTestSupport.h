#ifndef UITESTSUPPORT_H
#define UITESTSUPPORT_H
// What the window tests share: a private working folder (the program writes its log and
// new data files into the current folder), and a way to act inside a modal dialog.
#include <QApplication>
#include <QTimer>
#include <QDialog>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

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
    }
    ~WorkingFolder() {
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

#endif
