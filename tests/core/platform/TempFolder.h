#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>

// A fresh folder below the system's temporary folder, removed with everything
// in it at the end of a test.
class TempFolder {
public:
    TempFolder()
    {
        std::random_device seed;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const std::filesystem::path folder =
                std::filesystem::temp_directory_path() / ("vantrel-platform-" + std::to_string(seed()));
            std::error_code error;
            if (std::filesystem::create_directory(folder, error)) {
                path_ = folder.string();
            }
        }
    }
    ~TempFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream out(file(name), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::string read(const std::string& name) const
    {
        std::ifstream in(file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string path_;
};

// Sets an environment variable for the lifetime of the object, then puts the
// old value (or its absence) back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        set(name, value);
    }
    ~ScopedEnv() { set(name_.c_str(), old_ ? old_->c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    static void set(const char* name, const char* value)
    {
#ifdef _WIN32
        _putenv_s(name, value != nullptr ? value : "");  // "" removes it
#else
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
#endif
    }

    std::string name_;
    std::optional<std::string> old_;
};

// The per-user folders follow the XDG variables, and the temporary folder
// $TMPDIR, on POSIX only: on Windows they are the user's known folders.
#ifdef _WIN32
#define SKIP_WITHOUT_XDG() GTEST_SKIP() << "the folders follow XDG variables and $TMPDIR on POSIX only"
#else
#define SKIP_WITHOUT_XDG() static_cast<void>(0)
#endif
