// WindowsCalls: finding a call's answer in the table, and the one entry point the PC describes.
#include "platform/simulated/WindowsCallTable.h"

#include <algorithm>
#include <vector>

namespace prereq {

WindowsCalls::WindowsCalls(SimulatedPc& pc, GuestMemory& memory, std::uint32_t imageBase,
                           std::uint32_t exportStubs)
    : pc_(pc), memory_(memory), imageBase_(imageBase), exportStubs_(exportStubs) {}

std::uint32_t WindowsCalls::copyString(std::uint32_t address, const std::string& text,
                                       std::uint32_t size) {
    const auto length = static_cast<std::uint32_t>(text.size());
    if (length >= size)
        return length + 1;
    memory_.writeString(address, text);
    return length;
}

std::uint32_t WindowsCalls::exportStub(ExportAddress entry) {
    const auto address =
        exportStubs_ + 16 * static_cast<std::uint32_t>(exports_.size() + kernelExports_.size());
    exports_[address] = entry;
    return address;
}

namespace {

const CallTable& callTable() {
    static const CallTable calls = [] {
        CallTable all;
        addSystemInformationCalls(all);
        addRegistryAndLibraryCalls(all);
        addShellAndFileCalls(all);
        addUserInterfaceCalls(all);
        addResultFolderCalls(all);
        return all;
    }();
    return calls;
}

} // namespace

std::uint32_t WindowsCalls::kernelExportStub(const std::string& function) {
    if (!callTable().count(function))
        return 0;
    const auto address =
        exportStubs_ + 16 * static_cast<std::uint32_t>(exports_.size() + kernelExports_.size());
    kernelExports_[address] = function;
    return address;
}

std::optional<WindowsCalls::Answer> WindowsCalls::call(const std::string& function,
                                                       std::uint32_t arguments) {
    const CallTable& calls = callTable();
    const auto it = calls.find(function);
    if (it == calls.end())
        return std::nullopt;
    return Answer{it->second.answer(*this, CallArguments{memory_, arguments}),
                  4 * it->second.argumentCount};
}

std::optional<WindowsCalls::Answer> WindowsCalls::callExport(std::uint32_t address,
                                                             std::uint32_t arguments) {
    if (const auto kernel = kernelExports_.find(address); kernel != kernelExports_.end())
        return call(kernel->second, arguments);
    const auto it = exports_.find(address);
    if (it == exports_.end())
        return std::nullopt;
    // RasEnumDevicesA(lpRasDevInfo, lpcb, lpcDevices): the records are copied in and back out,
    // never more than the program's buffer holds.
    const CallArguments a{memory_, arguments};
    std::uint32_t bytes = memory_.read32(a[1]);
    std::uint32_t count = memory_.read32(a[2]);
    const std::uint32_t bufferBytes = bytes;
    std::vector<RasDeviceRecord> records(bytes / sizeof(RasDeviceRecord) + 1);
    if (a[0])
        memory_.read(a[0], records.data(), bytes);
    const std::uint32_t result =
        pc_.rasEnumDevices(it->second, a[0] ? records.data() : nullptr, bytes, count);
    if (a[0])
        memory_.write(a[0], records.data(), std::min(bytes, bufferBytes));
    memory_.write32(a[1], bytes);
    memory_.write32(a[2], count);
    return Answer{result, 12};
}

} // namespace prereq
