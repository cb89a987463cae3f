// Win32ResultFolders: ResultFolders answered by the real Windows API; it converts and passes on,
// and decides nothing.
#pragma once

#include "platform/ResultFolders.h"

#include <memory>

namespace prereq {

class Win32ResultFolders : public ResultFolders {
public:
    std::uint32_t findFiles(const std::string& pattern, std::vector<FoundFile>& found) override;
    bool readFile(const std::string& name, std::uint32_t maxBytes, std::string& content) override;
    LocalTime localTime() override;
    std::string unicodeToAnsi(const std::u16string& text) override;
    std::string listSeparator() override;

private:
    std::unique_ptr<char[]> buffer_; // what ReadFile reads into, kept for the next file
    std::uint32_t bufferSize_ = 0;
};

} // namespace prereq
