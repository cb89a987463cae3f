// Win32Services: WindowsServices answered by the real Windows API. The only place in the
// program's logic that calls those functions; it converts and passes on, and decides nothing.
#pragma once

#include "platform/WindowsServices.h"

namespace prereq {

class Win32Services : public WindowsServices {
public:
    bool getVersion(VersionInfo& info) override;
    std::uint32_t totalPhysicalMemory() override;
    std::uint32_t processorType() override;
    bool performanceFrequency(std::int64_t& ticksPerSecond) override;
    bool performanceCounter(std::int64_t& ticks) override;
    void sleep(std::uint32_t milliseconds) override;
    bool readTimeStampCounter(std::uint64_t& cycles) override;
    std::uint32_t logicalDrives() override;
    std::uint32_t driveType(const std::string& rootPath) override;
    bool diskFreeSpace(const std::string& rootPath, DiskFreeSpace& space) override;
    int systemMetric(int index) override;
    std::uint32_t setErrorMode(std::uint32_t mode) override;
    std::uint32_t processId() override;
    std::uint32_t tickCount() override;

    std::int32_t openKey(const std::string& path, KeyHandle& key) override;
    std::int32_t enumerateSubkey(KeyHandle key, std::uint32_t index, char* name,
                                 std::uint32_t nameSize) override;
    std::int32_t queryValue(KeyHandle key, const std::string& valueName, std::uint32_t& type,
                            unsigned char* data, std::uint32_t& dataSize) override;
    void closeKey(KeyHandle key) override;
    LibraryHandle loadLibrary(const std::string& fileName) override;
    ExportAddress findExport(LibraryHandle library, const std::string& exportName) override;
    void freeLibrary(LibraryHandle library) override;
    std::uint32_t rasEnumDevices(ExportAddress entry, RasDeviceRecord* buffer,
                                 std::uint32_t& byteCount, std::uint32_t& deviceCount) override;

    bool pathExists(const std::string& path) override;
    bool isFolder(const std::string& path) override;
    std::string fullPath(const std::string& path) override;
    bool environmentVariable(const std::string& name, std::string& value) override;
    std::intptr_t findExecutable(const std::string& file, std::string& executable) override;
    std::intptr_t shellExecute(WindowHandle owner, const std::string& operation,
                               const std::string& file, const std::string& parameters,
                               int showCommand) override;
    void writeStandardOutput(const std::string& text) override;
    FileHandle createReportFile(const std::string& name) override;
    bool writeFile(FileHandle file, const char* data, std::uint32_t size) override;
    bool closeFile(FileHandle file) override;
    bool flushFile(FileHandle file) override;
    bool fileSize(FileHandle file, std::uint32_t& size) override;
    bool deleteFile(const std::string& name) override;
    bool moveFile(const std::string& existingName, const std::string& newName) override;
    bool replaceFile(const std::string& existingName, const std::string& newName) override;
    FileHandle createNewFile(const std::string& name) override;
    std::uint32_t findFirstFile(const std::string& pattern) override;
    std::uint32_t lastErrorCode() override;
    std::string errorMessage(std::uint32_t code) override;
    std::string computerName() override;
    FileHandle standardHandle(std::uint32_t which) override;
    bool isConsole(FileHandle handle) override;
    std::string ansiToOem(const std::string& text) override;
    bool ansiToUtf16(const std::string& text, std::u16string& wide) override;

    std::string loadString(std::uint32_t id) override;
    int messageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                   std::uint32_t flags) override;
    std::string moduleFileName() override;
};

} // namespace prereq
