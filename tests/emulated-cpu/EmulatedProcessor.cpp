// The emulated processor: the image mapped at its base with a stack, a heap and a thread
// information block through FS; every import resolved to a 16-byte stub whose execution is a
// Windows call; the posed processor enforced block by block.
#include "EmulatedProcessor.h"

#include "platform/simulated/WindowsCalls.h"

#include <capstone/capstone.h>
#include <unicorn/unicorn.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <unordered_map>

namespace prereq {

namespace {

constexpr std::uint32_t kStack = 0x00100000, kStackSize = 0x00100000;
constexpr std::uint32_t kHeap = 0x20000000, kHeapSize = 0x04000000;
constexpr std::uint32_t kStubs = 0x70000000, kStubsSize = 0x00020000;
constexpr std::uint32_t kExportStubs = kStubs + 0x10000;
constexpr std::uint32_t kEntryReturn = kStubs + kStubsSize - 16;  // the entry point returned
constexpr std::uint32_t kDialogReturn = kStubs + kStubsSize - 32; // WM_INITDIALOG returned
constexpr std::uint32_t kDialog = 0x00D10000, kIcon = 0x00D20000; // window handles: id below
constexpr std::uint32_t kWmInitDialog = 0x110;
constexpr std::uint32_t kGdt = 0x7FFD0000, kTib = 0x7FFDE000;
constexpr std::uint32_t kEflagsId = 1u << 21;
constexpr std::uint32_t kCalledBack = ~0u; // the call went on into the program's own code

std::uint32_t pageAligned(std::uint32_t size) {
    return (size + 0xFFF) & ~0xFFFu;
}

// A flat 32-bit GDT entry.
std::uint64_t descriptor(std::uint32_t base, std::uint32_t limit, std::uint8_t access,
                         std::uint8_t flags) {
    return (limit & 0xFFFFull) | (std::uint64_t{base & 0xFFFFFF} << 16) |
           (std::uint64_t{access} << 40) | (std::uint64_t{(limit >> 16) & 0xF} << 48) |
           (std::uint64_t{flags} << 52) | (std::uint64_t{base >> 24} << 56);
}

// What the posed processor lacks to execute instruction; empty when it has it.
std::string lacking(const cs_insn& instruction, const PosedProcessor& processor) {
    const cs_detail& detail = *instruction.detail;
    for (int i = 0; i < detail.groups_count; ++i) {
        const std::uint8_t group = detail.groups[i];
        if (group == X86_GRP_CMOV && processor.family < 6)
            return "CMOV (Pentium Pro)";
        if (group >= X86_GRP_VM && group != X86_GRP_CMOV && group != X86_GRP_MODE32 &&
            group != X86_GRP_MODE64 && group != X86_GRP_16BITMODE &&
            group != X86_GRP_NOT64BITMODE && group != X86_GRP_FPU)
            return "an extension (MMX, SSE and later)";
    }
    switch (instruction.id) {
    case X86_INS_FCMOVB:
    case X86_INS_FCMOVBE:
    case X86_INS_FCMOVE:
    case X86_INS_FCMOVNB:
    case X86_INS_FCMOVNBE:
    case X86_INS_FCMOVNE:
    case X86_INS_FCMOVNU:
    case X86_INS_FCMOVU:
    case X86_INS_FCOMI:
    case X86_INS_FCOMIP:
    case X86_INS_FUCOMI:
    case X86_INS_FUCOMIP:
        return processor.family < 6 ? "FCMOV/FCOMI (Pentium Pro)" : "";
    case X86_INS_NOP: // the multi-byte form, 0F 1F, not 90 or 66 90
        return detail.x86.opcode[0] == 0x0F && processor.family < 6
                   ? "the multi-byte NOP (Pentium Pro)"
                   : "";
    case X86_INS_CMPXCHG8B:
        return processor.family < 5 ? "CMPXCHG8B (Pentium)" : "";
    case X86_INS_CPUID:
        return processor.hasCpuid ? "" : "CPUID (this 80486 has none)";
    case X86_INS_RDTSC:
        return processor.hasTimeStampCounter() ? "" : "RDTSC (no time-stamp counter)";
    default:
        return "";
    }
}

class Run : public GuestMemory {
public:
    Run(const PeImage& image, const LinkMap& map, const PosedProcessor& processor, SimulatedPc& pc)
        : image_(image), map_(map), processor_(&processor), pc_(pc),
          calls_(pc, *this, image.imageBase, kExportStubs) {
        if (uc_open(UC_ARCH_X86, UC_MODE_32, &uc_) != UC_ERR_OK ||
            cs_open(CS_ARCH_X86, CS_MODE_32, &cs_) != CS_ERR_OK)
            throw std::runtime_error("cannot open Unicorn or Capstone");
        cs_option(cs_, CS_OPT_DETAIL, CS_OPT_ON);
        uc_ctl_set_cpu_model(uc_, processor.unicornModel);
    }
    ~Run() override {
        cs_close(&cs_);
        uc_close(uc_);
    }

    void read(std::uint32_t address, void* bytes, std::uint32_t size) override {
        if (size && uc_mem_read(uc_, address, bytes, size) != UC_ERR_OK)
            throw std::runtime_error("a Windows call read outside the program's memory at " +
                                     hex(address));
    }
    void write(std::uint32_t address, const void* bytes, std::uint32_t size) override {
        if (size && uc_mem_write(uc_, address, bytes, size) != UC_ERR_OK)
            throw std::runtime_error("a Windows call wrote outside the program's memory at " +
                                     hex(address));
    }

    EmulatedRunResult run(const std::string& commandLine) {
        load();
        const std::string line =
            "\"" + pc_.programPath + "\"" + (commandLine.empty() ? "" : " " + commandLine);
        commandLine_ = allocate(static_cast<std::uint32_t>(line.size() + 1));
        writeString(commandLine_, line);
        std::uint32_t esp = kStack + kStackSize - 64;
        write32(esp, kEntryReturn);
        reg(UC_X86_REG_ESP, esp);
        uc_hook hook;
        uc_hook_add(uc_, &hook, UC_HOOK_BLOCK, reinterpret_cast<void*>(&Run::onBlock), this, 1, 0);
        uc_hook_add(uc_, &hook, UC_HOOK_CODE, reinterpret_cast<void*>(&Run::onInstruction), this, 1,
                    0);
        uc_hook_add(uc_, &hook, UC_HOOK_MEM_INVALID, reinterpret_cast<void*>(&Run::onBadAccess),
                    this, 1, 0);
        uc_hook_add(uc_, &hook, UC_HOOK_INTR, reinterpret_cast<void*>(&Run::onInterrupt), this, 1,
                    0);
        const uc_err error = uc_emu_start(uc_, image_.imageBase + image_.entryRva, 0, 0, 0);
        if (!result_.exited && !result_.dialog.initialised && result_.failure.empty())
            fail(reg(UC_X86_REG_EIP), std::string("the engine stopped: ") + uc_strerror(error));
        for (const auto& [at, count] : instructionsAt_) {
            result_.instructionsByFunction[map_.functionAt(at)] += count;
            if (map_.startsFunction(at))
                result_.entriesByFunction[map_.functionAt(at)] += count;
        }
        annotate();
        return result_;
    }

private:
    // With PREREQ_EMULATED_ANNOTATE=TEXT: each instruction of the functions whose names hold TEXT,
    // with the times it ran.
    void annotate() {
        const char* wanted = std::getenv("PREREQ_EMULATED_ANNOTATE");
        if (!wanted || !profile_)
            return;
        std::map<std::uint32_t, std::uint64_t> ran;
        for (const auto& [at, count] : instructionsAt_)
            if (map_.functionAt(at).find(wanted) != std::string::npos)
                ran[at] = count;
        for (const auto& [at, count] : ran) {
            std::uint8_t code[16] = {};
            uc_mem_read(uc_, at, code, sizeof code);
            cs_insn* instruction = nullptr;
            const bool decoded = cs_disasm(cs_, code, sizeof code, at, 1, &instruction) == 1;
            std::printf("%9llu  %08x  %s %s\n", static_cast<unsigned long long>(count), at,
                        decoded ? instruction->mnemonic : "?", decoded ? instruction->op_str : "");
            if (decoded)
                cs_free(instruction, 1);
        }
    }

    static std::string hex(std::uint32_t value) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%08x", value);
        return text;
    }

    std::uint32_t reg(int id) {
        std::uint32_t value = 0;
        uc_reg_read(uc_, id, &value);
        return value;
    }
    void reg(int id, std::uint32_t value) { uc_reg_write(uc_, id, &value); }

    void map(std::uint32_t address, std::uint32_t size) {
        if (uc_mem_map(uc_, address, pageAligned(size), UC_PROT_ALL) != UC_ERR_OK)
            throw std::runtime_error("cannot map " + hex(address));
    }

    void load() {
        map(image_.imageBase, image_.imageSize);
        write(image_.imageBase, image_.file.data(), image_.headerSize);
        for (const PeSection& s : image_.sections)
            write(image_.imageBase + s.rva, image_.file.data() + s.fileOffset,
                  std::min(s.fileSize, s.virtualSize ? s.virtualSize : s.fileSize));
        map(kStubs, kStubsSize);
        const std::vector<std::uint8_t> halts(kStubsSize, 0xF4);
        write(kStubs, halts.data(), kStubsSize);
        for (std::size_t i = 0; i < image_.imports.size(); ++i)
            write32(image_.imageBase + image_.imports[i].slotRva,
                    kStubs + 16 * static_cast<std::uint32_t>(i));
        map(kStack, kStackSize);
        map(kHeap, kHeapSize);
        // Flat code and data, and FS on the thread information block: its SEH chain's end, the
        // stack's bounds and its own address, as Windows lays the first fields out.
        map(kGdt, 0x1000);
        map(kTib, 0x1000);
        const std::uint32_t tib[] = {0xFFFFFFFF, kStack + kStackSize, kStack, 0, 0, 0, kTib};
        write(kTib, tib, sizeof tib);
        const std::uint64_t gdt[] = {0, descriptor(0, 0xFFFFF, 0x9A, 0xC),
                                     descriptor(0, 0xFFFFF, 0x92, 0xC),
                                     descriptor(kTib, 0xFFF, 0x92, 0x4)};
        write(kGdt, gdt, sizeof gdt);
        uc_x86_mmr gdtr{0, kGdt, sizeof gdt - 1, 0};
        uc_reg_write(uc_, UC_X86_REG_GDTR, &gdtr);
        for (int segment : {UC_X86_REG_DS, UC_X86_REG_ES, UC_X86_REG_SS})
            reg(segment, 0x10);
        reg(UC_X86_REG_FS, 0x18);
        reg(UC_X86_REG_EFLAGS, reg(UC_X86_REG_EFLAGS) & ~kEflagsId);
    }

    std::uint32_t allocate(std::uint32_t size) {
        const std::uint32_t block = (heapTop_ + 8 + 7) & ~7u;
        if (block + size > kHeap + kHeapSize)
            return 0;
        write32(block - 4, size);
        heapTop_ = block + size;
        return block;
    }

    void fail(std::uint32_t address, const std::string& why) {
        if (result_.failure.empty())
            result_.failure = why + " at " + hex(address) + " in " + map_.functionAt(address);
        uc_emu_stop(uc_);
    }

    // Decodes each block once, before it first runs: an instruction the posed processor lacks
    // fails the run; the instructions the processor's pose answers are noted.
    static void onBlock(uc_engine*, std::uint64_t address, std::uint32_t size, Run* run) {
        if (address >= kStubs || !run->checkedBlocks_.insert(address).second)
            return;
        std::vector<std::uint8_t> code(size);
        run->read(static_cast<std::uint32_t>(address), code.data(), size);
        cs_insn* instructions = nullptr;
        const std::size_t count = cs_disasm(run->cs_, code.data(), size, address, 0, &instructions);
        std::uint32_t decoded = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const cs_insn& instruction = instructions[i];
            decoded += instruction.size;
            run->result_.distinctInstructions +=
                run->reached_.insert(static_cast<std::uint32_t>(instruction.address)).second;
            const std::string lack = lacking(instruction, *run->processor_);
            if (!lack.empty()) {
                run->fail(static_cast<std::uint32_t>(instruction.address),
                          std::string(instruction.mnemonic) + ", which needs " + lack);
                break;
            }
            if (instruction.id == X86_INS_CPUID || instruction.id == X86_INS_RDTSC)
                run->answered_.insert(static_cast<std::uint32_t>(instruction.address));
            if (instruction.id == X86_INS_POPFD && !run->processor_->hasCpuid)
                run->afterPopfd_.insert(static_cast<std::uint32_t>(instruction.address + 1));
        }
        cs_free(instructions, count);
        if (decoded < size && run->result_.failure.empty())
            run->fail(static_cast<std::uint32_t>(address + decoded), "an undecodable instruction");
    }

    static void onInstruction(uc_engine*, std::uint64_t address, std::uint32_t, Run* run) {
        const auto at = static_cast<std::uint32_t>(address);
        try {
            if (at >= kStubs && at < kStubs + kStubsSize)
                return run->windowsCall(at);
            ++run->result_.instructions;
            if (run->profile_) {
                ++run->instructionsAt_[at];
                if (run->map_.startsFunction(at)) // entered: by whom, from its return address
                    ++run->result_.entriesByCaller[run->map_.functionAt(at) + "  <-  " +
                                                   run->map_.functionAt(
                                                       run->read32(run->reg(UC_X86_REG_ESP)))];
            }
            if (run->afterPopfd_.count(at))
                run->reg(UC_X86_REG_EFLAGS, run->reg(UC_X86_REG_EFLAGS) & ~kEflagsId);
            if (run->answered_.count(at))
                run->answer(at);
        } catch (const std::exception& error) {
            run->fail(at, error.what());
        }
    }

    static bool onBadAccess(uc_engine*, uc_mem_type, std::uint64_t address, int, std::int64_t,
                            Run* run) {
        run->fail(run->reg(UC_X86_REG_EIP), "an access outside the program's memory, " +
                                                hex(static_cast<std::uint32_t>(address)) + ",");
        return false;
    }

    static void onInterrupt(uc_engine*, std::uint32_t number, Run* run) {
        run->fail(run->reg(UC_X86_REG_EIP), "interrupt " + std::to_string(number));
    }

    // CPUID as the posed processor answers it (an "GenuineIntel" with leaves 0 and 1), RDTSC
    // from the simulated PC's counter.
    void answer(std::uint32_t at) {
        std::uint8_t second = 0;
        read(at + 1, &second, 1);
        if (second == 0x31) {
            std::uint64_t cycles = 0;
            pc_.readTimeStampCounter(cycles);
            reg(UC_X86_REG_EAX, static_cast<std::uint32_t>(cycles));
            reg(UC_X86_REG_EDX, static_cast<std::uint32_t>(cycles >> 32));
        } else {
            const bool leaf1 = reg(UC_X86_REG_EAX) == 1;
            reg(UC_X86_REG_EAX, leaf1 ? processor_->signature : 1);
            reg(UC_X86_REG_EBX, leaf1 ? 0 : 0x756E6547);
            reg(UC_X86_REG_ECX, leaf1 ? 0 : 0x6C65746E);
            reg(UC_X86_REG_EDX, leaf1 ? processor_->features : 0x49656E69);
        }
        reg(UC_X86_REG_EIP, at + 2);
    }

    std::optional<WindowsCalls::Answer> processCall(const std::string& name, std::uint32_t args) {
        const auto arg = [&](int i) { return read32(args + 4 * i); };
        if (name == "ExitProcess") {
            result_.exited = true;
            result_.exitCode = arg(0);
            uc_emu_stop(uc_);
            return WindowsCalls::Answer{0, 4};
        }
        if (name == "GetCommandLineA")
            return WindowsCalls::Answer{commandLine_, 0};
        if (name == "GetProcessHeap")
            return WindowsCalls::Answer{kHeap, 0};
        if (name == "HeapAlloc")
            return WindowsCalls::Answer{allocate(arg(2)), 12};
        if (name == "HeapFree")
            return WindowsCalls::Answer{1, 12};
        if (name == "HeapReAlloc") {
            const std::uint32_t block = allocate(arg(3));
            if (block == 0) // too large: fails, and the block stays as it was
                return WindowsCalls::Answer{0, 16};
            std::vector<std::uint8_t> bytes(std::min(read32(arg(2) - 4), arg(3)));
            read(arg(2), bytes.data(), static_cast<std::uint32_t>(bytes.size()));
            write(block, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
            return WindowsCalls::Answer{block, 16};
        }
        if (name == "GetStartupInfoA") {
            const std::vector<std::uint8_t> info(68);
            write(arg(0), info.data(), 68);
            write32(arg(0), 68);
            return WindowsCalls::Answer{0, 4};
        }
        if (name == "SetUnhandledExceptionFilter") {
            const std::uint32_t previous = exceptionFilter_;
            exceptionFilter_ = arg(0);
            return WindowsCalls::Answer{previous, 4};
        }
        if (const auto answer = userCall(name, arg))
            return answer;
        if (name == "GetLastError")
            return WindowsCalls::Answer{calls_.lastError, 0};
        if (name == "SetLastError") {
            calls_.lastError = arg(0);
            return WindowsCalls::Answer{0, 4};
        }
        return std::nullopt;
    }

    // The dialog's own user32 calls: DialogBoxParamA calls the dialog procedure with
    // WM_INITDIALOG at once; controls are kDialog plus their id.
    std::optional<WindowsCalls::Answer> userCall(const std::string& name,
                                                 const std::function<std::uint32_t(int)>& arg) {
        DialogRecord& dialog = result_.dialog;
        const auto control = [](std::uint32_t window) { return static_cast<int>(window & 0xFFFF); };
        if (name == "InitCommonControls")
            return WindowsCalls::Answer{0, 0};
        if (name == "LoadIconA")
            return WindowsCalls::Answer{kIcon + arg(1), 8};
        if (name == "DialogBoxParamA") {
            dialog.calls.push_back("DialogBoxParamA " + std::to_string(arg(1)));
            const std::uint32_t procedure = arg(3), parameter = arg(4);
            // DialogBoxParamA's frame becomes the procedure's: hwnd, message, wParam, lParam.
            const std::uint32_t esp = reg(UC_X86_REG_ESP) + 24 - 20;
            const std::uint32_t frame[] = {kDialogReturn, kDialog, kWmInitDialog, 0, parameter};
            write(esp, frame, sizeof frame);
            reg(UC_X86_REG_ESP, esp);
            reg(UC_X86_REG_EIP, procedure);
            return WindowsCalls::Answer{0, kCalledBack};
        }
        if (name == "SetWindowLongA" || name == "GetWindowLongA") {
            const bool set = name[0] == 'S';
            const std::uint32_t previous = windowLongs_[arg(1)];
            if (set)
                windowLongs_[arg(1)] = arg(2);
            return WindowsCalls::Answer{previous, set ? 12u : 8u};
        }
        if (name == "GetDlgItem")
            return WindowsCalls::Answer{kDialog + arg(1), 8};
        if (name == "ShowWindow") {
            dialog.calls.push_back("ShowWindow " + std::to_string(control(arg(0))) + " " +
                                   std::to_string(arg(1)));
            const bool wasShown = dialog.shown[control(arg(0))];
            dialog.shown[control(arg(0))] = arg(1) != 0;
            return WindowsCalls::Answer{wasShown, 8};
        }
        if (name == "SetDlgItemTextA") {
            dialog.texts[static_cast<int>(arg(1))] = readString(arg(2));
            dialog.calls.push_back("SetDlgItemTextA " + std::to_string(arg(1)) + " \"" +
                                   dialog.texts[static_cast<int>(arg(1))] + "\"");
            return WindowsCalls::Answer{1, 12};
        }
        if (name == "SendMessageA") {
            dialog.calls.push_back("SendMessageA " + std::to_string(arg(1)) + " " +
                                   std::to_string(arg(2)) + " " + hex(arg(3)));
            return WindowsCalls::Answer{0, 16};
        }
        return std::nullopt;
    }

    // The functions whose calls are on the stack above esp, nearest first: without frame
    // pointers, each word that points just after a CALL rel32 in the image is taken for a
    // return address (a profile's guess, enough to tell who asked).
    std::string callers(std::uint32_t esp) {
        std::string names;
        int found = 0;
        for (std::uint32_t at = esp; at < esp + 512 && found < 4; at += 4) {
            std::uint32_t word = 0;
            std::uint8_t call = 0;
            if (uc_mem_read(uc_, at, &word, 4) != UC_ERR_OK)
                break;
            if (word < image_.imageBase + 5 || word >= image_.imageBase + image_.imageSize ||
                uc_mem_read(uc_, word - 5, &call, 1) != UC_ERR_OK || call != 0xE8)
                continue;
            const std::string name = map_.functionAt(word);
            if (names.find(name) == std::string::npos && name.find("Heap") == std::string::npos &&
                name.find("operator new") == std::string::npos && name != "malloc") {
                names += (found++ ? " <- " : "") + name;
            }
        }
        return names;
    }

    // A Windows call: its stub's import answered, the arguments removed, back to the caller.
    void windowsCall(std::uint32_t at) {
        const std::uint32_t esp = reg(UC_X86_REG_ESP);
        const std::uint32_t returnAddress = read32(esp);
        if (at == kDialogReturn)
            result_.dialog.initialised = true;
        if (at == kEntryReturn || at == kDialogReturn) {
            result_.exited = at == kEntryReturn;
            result_.exitCode = reg(UC_X86_REG_EAX);
            uc_emu_stop(uc_);
            return;
        }
        ++result_.windowsCalls;
        std::optional<WindowsCalls::Answer> answer;
        std::string name;
        if (at >= kExportStubs) {
            answer = calls_.callExport(at, esp + 4);
            name = "the entry point " + hex(at);
        } else {
            const PeImport& import = image_.imports.at((at - kStubs) / 16);
            name = import.dll + "!" + import.name;
            answer = processCall(import.name, esp + 4);
            if (!answer)
                answer = calls_.call(import.name, esp + 4);
        }
        ++result_.callsByName[name];
        if (profile_ && name == "KERNEL32.dll!HeapAlloc") // which blocks go to the process heap
            ++result_.callsByName["  of " + std::to_string(read32(esp + 12)) + " bytes, from " +
                                  callers(esp)];
        if (!answer)
            return fail(returnAddress, "a Windows call the PC does not answer, " + name + ",");
        if (answer->argumentBytes == kCalledBack)
            return;
        reg(UC_X86_REG_EAX, answer->result);
        reg(UC_X86_REG_ESP, esp + 4 + answer->argumentBytes);
        reg(UC_X86_REG_EIP, returnAddress);
    }

    const PeImage& image_;
    const LinkMap& map_;
    const PosedProcessor* processor_ = nullptr;
    SimulatedPc& pc_;
    WindowsCalls calls_;
    uc_engine* uc_ = nullptr;
    csh cs_ = 0;
    std::set<std::uint64_t> checkedBlocks_;
    std::set<std::uint32_t> reached_;    // every instruction decoded
    std::set<std::uint32_t> answered_;   // CPUID and RDTSC
    std::set<std::uint32_t> afterPopfd_; // where EFLAGS.ID is cleared again
    const bool profile_ = std::getenv("PREREQ_EMULATED_PROFILE") != nullptr;
    std::unordered_map<std::uint32_t, std::uint64_t> instructionsAt_;
    std::uint32_t heapTop_ = kHeap;
    std::uint32_t commandLine_ = 0;
    std::uint32_t exceptionFilter_ = 0;
    std::map<std::uint32_t, std::uint32_t> windowLongs_; // the dialog's, by index
    EmulatedRunResult result_;
};

} // namespace

const std::vector<PosedProcessor>& posedProcessors() {
    // Leaf 1: family, model and stepping; EDX: the FPU, then (Pentium) VME, DE, PSE, TSC, MSR,
    // MCE, CX8, then (Pentium Pro) PAE, APIC, MTRR, PGE, MCA, CMOV. The row adds the 2 MHz
    // that the program adds to its measurement.
    static const std::vector<PosedProcessor> processors = {
        {"80486 without CPUID", 4, false, 0, 0x1, UC_CPU_X86_486, 33e6L, "not Pentium processor"},
        {"80486", 4, true, 0x480, 0x1, UC_CPU_X86_486, 100e6L, "not Pentium processor"},
        {"Pentium", 5, true, 0x525, 0x1BF, UC_CPU_X86_PENTIUM, 200e6L / 3, "Pentium 68 MHz"},
        {"Pentium Pro", 6, true, 0x617, 0xF3FF, UC_CPU_X86_PENTIUM2, 200e6L, "Pentium 202 MHz"},
    };
    return processors;
}

EmulatedRunResult runEmulated(const PeImage& image, const LinkMap& map,
                              const PosedProcessor& processor, SimulatedPc& pc,
                              const std::string& commandLine) {
    Run run(image, map, processor, pc);
    return run.run(commandLine);
}

} // namespace prereq
