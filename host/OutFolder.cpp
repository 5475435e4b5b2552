#include "host/OutFolder.h"

#include <filesystem>

std::string MakeOutFolder(const std::vector<std::string>& arguments)
{
    std::string folder = "nirahost-out";
    for (size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == "--out") {
            folder = arguments[i + 1];
            break;
        }
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder;
}
