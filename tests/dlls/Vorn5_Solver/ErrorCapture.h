#ifndef ERRORCAPTURE_H
#define ERRORCAPTURE_H
// Test fixture part: headless message boxes and an error log in a fresh temporary folder.
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "Hald_Error.h"
#include "forms/HeadlessForms.h"

class ErrorCapture {
public:
    ErrorCapture()
    {
        std::random_device rd;
        folder_ = std::filesystem::temp_directory_path() /
                  ("vorn_errlog_" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(folder_);
        previous_ = ErrorLogging::LogFolder();
        ErrorLogging::SetLogFolder(folder_.string());
    }
    ~ErrorCapture()
    {
        ErrorLogging::SetLogFolder(previous_);
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    // Everything written to the error log so far.
    std::string Log() const
    {
        std::string all;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::stringstream ss;
            ss << in.rdbuf();
            all += ss.str();
        }
        return all;
    }

    // Whether message box i shows text (compared without blanks and line breaks, which
    // the box's word wrap moves).
    bool ShownContains(std::size_t i, const std::string& text)
    {
        return Squash(forms_->messages.at(i).prompt).find(Squash(text)) != std::string::npos;
    }
    static std::string Squash(const std::string& s)
    {
        std::string out;
        for (char c : s)
            if (c != ' ' && c != '\r' && c != '\n' && c != '\t') out += c;
        return out;
    }
    std::size_t ShownCount() { return forms_->messages.size(); }
    forms::HeadlessForms& Forms() { return forms_.get(); }

private:
    forms::ScopedHeadlessForms forms_;
    std::filesystem::path folder_;
    std::string previous_;
};

#endif
