#ifndef TEMPFOLDER_H
#define TEMPFOLDER_H
// A fresh folder for one test, removed afterwards.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class TempFolder {
public:
    TempFolder() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("vorn-log-test-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string path() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(path_ / name, std::ios::binary) << text;
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path path_;
};

#endif
