#pragma once
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "core/Context.h"
#include "platform/HeadlessServices.h"

// What the benchmarks share in their calls: options, their folder and the engine's headless services.

inline std::filesystem::path madeFolder(const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    return folder;
}

// "--name value" pairs after the program's name.
class Options {
public:
    Options(int argc, char** argv)
    {
        for (int i = 1; i + 1 < argc; i += 2)
            values_[argv[i]] = argv[i + 1];
    }
    std::string text(const std::string& name, const std::string& otherwise = {}) const
    {
        const auto found = values_.find(name);
        return found == values_.end() ? otherwise : found->second;
    }
    int number(const std::string& name, int otherwise) const
    {
        const auto found = values_.find(name);
        return found == values_.end() ? otherwise : std::atoi(found->second.c_str());
    }
    // "--rounds", at least one.
    int rounds(int otherwise) const { return std::max(1, number("--rounds", otherwise)); }
    // "--folder", else the given name in the system's temporary folder; made when missing.
    std::filesystem::path folder(const char* name) const
    {
        return madeFolder(text("--folder", (std::filesystem::temp_directory_path() / name).string()));
    }

private:
    std::map<std::string, std::string> values_;
};

// A folder of the benchmark's own in the system's temporary folder, with the
// headless services keeping their files there.
struct HeadlessBench {
    explicit HeadlessBench(const char* name)
        : folder(madeFolder(std::filesystem::temp_directory_path() / name)), services(folder), ctx(services.services())
    {
    }
    std::filesystem::path folder;
    HeadlessServices services;
    Context ctx;
};
