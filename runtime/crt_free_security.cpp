// What a C runtime library supplies for /GS and /guard:cf, for the build
// that links none (clang-cl with /NODEFAULTLIB, see cmake/WindowsDll.cmake):
// the load configuration, the stack cookie and the function that checks it,
// and the pointers through which guarded indirect calls go. A Visual Studio
// build takes all of these from its own C runtime and does not compile this.
//
// Nothing here runs at load: the DLL has no entry point. The loader itself
// replaces the cookie's default value with a random one, on Windows and on
// Wine, because the load configuration points at it; a cookie that still
// held its default would be known to every attacker.
#include <stddef.h>
#include <stdint.h>

#if !defined(_MSC_VER) || !(defined(_M_IX86) || defined(_M_X64))
#error "for the MSVC ABI on x86 and x64 only"
#endif

// The names below are the ones that the code generated for /GS and
// /guard:cf, the linker and the loader look for: reserved to the
// implementation, whose C runtime this file stands in for.
// NOLINTBEGIN(bugprone-reserved-identifier)
extern "C" {

// The documented defaults, which the loader recognises and replaces. The
// 64-bit one keeps its top 16 bits clear, as the random one will.
#ifdef _WIN64
uintptr_t __security_cookie = 0x00002B992DDFA232;
#else
uintptr_t __security_cookie = 0xBB40E64E;
#endif

// Called by the epilogue of every function that /GS protects, with the
// cookie its prologue stored. A mismatch means the frame was overwritten:
// end the process at once, running none of its code and none of its
// exception handlers, which the overwrite may have reached.
void __fastcall __security_check_cookie(uintptr_t cookie) {
    constexpr unsigned StackCookieCheckFailure = 2;  // FAST_FAIL_STACK_COOKIE_CHECK_FAILURE
    if (cookie != __security_cookie)
        __fastfail(StackCookieCheckFailure);
}

// The linker fills these in from what /guard:cf and /safeseh found: the
// tables of valid call targets and exception handlers are symbols that
// point at them, and the counts and flags are symbols whose addresses are
// their values.
extern const uintptr_t __guard_fids_table[];
extern const char __guard_fids_count;
extern const char __guard_flags;
extern const uintptr_t __guard_iat_table[];
extern const char __guard_iat_count;
extern const uintptr_t __guard_longjmp_table[];
extern const char __guard_longjmp_count;
extern const uintptr_t __guard_eh_cont_table[];
extern const char __guard_eh_cont_count;
#ifndef _WIN64
extern const uintptr_t __safe_se_handler_table[];
extern const char __safe_se_handler_count;
#endif

}  // extern "C"
// NOLINTEND(bugprone-reserved-identifier)

namespace {

// Guarded code calls indirectly through the pointers below. Where the system
// enforces Control Flow Guard, the loader points them at its own check
// before any of the DLL's code runs; elsewhere these let every call through.
// The target arrives in ecx (x86) or rcx for the check, in rax for the
// dispatch, which then makes the call itself.
void __fastcall GuardCheckNothing(uintptr_t) {}

#ifdef _WIN64
__attribute__((naked)) void GuardDispatchUnchecked() {
    __asm__("jmp *%rax");
}
#endif

// IMAGE_LOAD_CONFIG_DIRECTORY32 and 64 as the current Windows SDK has them;
// the mingw-w64 headers' end at SEHandlerCount. Its size tells the loader
// which fields exist, so it is the full size that Visual Studio's runtime
// gives: 0xC0 on x86, 0x140 on x64. Every field is zero unless the
// directory below names it, which the member initialisers say rather than
// leave to aggregate initialisation: clang 19 warns of each field that a
// designated initialiser leaves out.
struct LoadConfiguration {
    uint32_t Size{};
    uint32_t TimeDateStamp{};
    uint16_t MajorVersion{};
    uint16_t MinorVersion{};
    uint32_t GlobalFlagsClear{};
    uint32_t GlobalFlagsSet{};
    uint32_t CriticalSectionDefaultTimeout{};
    uintptr_t DeCommitFreeBlockThreshold{};
    uintptr_t DeCommitTotalFreeThreshold{};
    uintptr_t LockPrefixTable{};
    uintptr_t MaximumAllocationSize{};
    uintptr_t VirtualMemoryThreshold{};
#ifdef _WIN64
    uint64_t ProcessAffinityMask{};
    uint32_t ProcessHeapFlags{};
#else
    uint32_t ProcessHeapFlags{};
    uint32_t ProcessAffinityMask{};
#endif
    uint16_t CSDVersion{};
    uint16_t DependentLoadFlags{};
    uintptr_t EditList{};
    uintptr_t SecurityCookie{};
    uintptr_t SEHandlerTable{};
    uintptr_t SEHandlerCount{};
    uintptr_t GuardCFCheckFunctionPointer{};
    uintptr_t GuardCFDispatchFunctionPointer{};
    uintptr_t GuardCFFunctionTable{};
    uintptr_t GuardCFFunctionCount{};
    // GuardFlags takes the linker's __guard_flags, a symbol whose address is
    // the value. clang cannot give a 32-bit field a symbol's address on x64,
    // only a 64-bit one; the value is below 2^32, so there it fills
    // GuardFlags and leaves the two 16-bit CodeIntegrity fields after it zero.
    union {
        uint32_t GuardFlags;
        uintptr_t GuardFlagsWord;
    };
#ifndef _WIN64
    uint16_t CodeIntegrityFlags{};
    uint16_t CodeIntegrityCatalog{};
#endif
    uint32_t CodeIntegrityCatalogOffset{};
    uint32_t CodeIntegrityReserved{};
    uintptr_t GuardAddressTakenIatEntryTable{};
    uintptr_t GuardAddressTakenIatEntryCount{};
    uintptr_t GuardLongJumpTargetTable{};
    uintptr_t GuardLongJumpTargetCount{};
    uintptr_t DynamicValueRelocTable{};
    uintptr_t CHPEMetadataPointer{};
    uintptr_t GuardRFFailureRoutine{};
    uintptr_t GuardRFFailureRoutineFunctionPointer{};
    uint32_t DynamicValueRelocTableOffset{};
    uint16_t DynamicValueRelocTableSection{};
    uint16_t Reserved2{};
    uintptr_t GuardRFVerifyStackPointerFunctionPointer{};
    uint32_t HotPatchTableOffset{};
    uint32_t Reserved3{};
    uintptr_t EnclaveConfigurationPointer{};
    uintptr_t VolatileMetadataPointer{};
    uintptr_t GuardEHContinuationTable{};
    uintptr_t GuardEHContinuationCount{};
    uintptr_t GuardXFGCheckFunctionPointer{};
    uintptr_t GuardXFGDispatchFunctionPointer{};
    uintptr_t GuardXFGTableDispatchFunctionPointer{};
    uintptr_t CastGuardOsDeterminedFailureMode{};
    uintptr_t GuardMemcpyFunctionPointer{};
};

#ifdef _WIN64
static_assert(sizeof(LoadConfiguration) == 0x140, "IMAGE_LOAD_CONFIG_DIRECTORY64");
static_assert(offsetof(LoadConfiguration, SecurityCookie) == 0x58, "IMAGE_LOAD_CONFIG_DIRECTORY64");
static_assert(offsetof(LoadConfiguration, GuardFlags) == 0x90, "IMAGE_LOAD_CONFIG_DIRECTORY64");
static_assert(offsetof(LoadConfiguration, CodeIntegrityCatalogOffset) == 0x98, "IMAGE_LOAD_CONFIG_DIRECTORY64");
static_assert(offsetof(LoadConfiguration, GuardEHContinuationTable) == 0x108, "IMAGE_LOAD_CONFIG_DIRECTORY64");
#else
static_assert(sizeof(LoadConfiguration) == 0xC0, "IMAGE_LOAD_CONFIG_DIRECTORY32");
static_assert(offsetof(LoadConfiguration, SecurityCookie) == 0x3C, "IMAGE_LOAD_CONFIG_DIRECTORY32");
static_assert(offsetof(LoadConfiguration, GuardFlags) == 0x58, "IMAGE_LOAD_CONFIG_DIRECTORY32");
static_assert(offsetof(LoadConfiguration, CodeIntegrityCatalogOffset) == 0x60, "IMAGE_LOAD_CONFIG_DIRECTORY32");
static_assert(offsetof(LoadConfiguration, GuardEHContinuationTable) == 0xA4, "IMAGE_LOAD_CONFIG_DIRECTORY32");
#endif

using GuardCheck = void(__fastcall*)(uintptr_t);
using GuardDispatch = void (*)();

}  // namespace

// Read-only, so that a write into the DLL's data cannot switch the check
// off; the loader lifts the protection for its own write. In .00cfg, as
// Visual Studio's runtime has them, which the build merges into .rdata.
#pragma section(".00cfg", read)

// NOLINTBEGIN(bugprone-reserved-identifier): the toolchain's names, as above
extern "C" {

__declspec(allocate(".00cfg")) extern const GuardCheck __guard_check_icall_fptr = GuardCheckNothing;
#ifdef _WIN64
__declspec(allocate(".00cfg")) extern const GuardDispatch __guard_dispatch_icall_fptr = GuardDispatchUnchecked;
#endif

// Found by the linker under this name, which makes it the image's load
// configuration directory. (Designated initialisers are C++20; clang, the
// only compiler of this file, takes them in C++17 too.)
extern const LoadConfiguration _load_config_used = {
    .Size = sizeof(LoadConfiguration),
    .SecurityCookie = reinterpret_cast<uintptr_t>(&__security_cookie),
#ifndef _WIN64  // x64 unwinds by table
    .SEHandlerTable = reinterpret_cast<uintptr_t>(__safe_se_handler_table),
    .SEHandlerCount = reinterpret_cast<uintptr_t>(&__safe_se_handler_count),
#endif
    .GuardCFCheckFunctionPointer = reinterpret_cast<uintptr_t>(&__guard_check_icall_fptr),
#ifdef _WIN64
    .GuardCFDispatchFunctionPointer = reinterpret_cast<uintptr_t>(&__guard_dispatch_icall_fptr),
#endif
    .GuardCFFunctionTable = reinterpret_cast<uintptr_t>(__guard_fids_table),
    .GuardCFFunctionCount = reinterpret_cast<uintptr_t>(&__guard_fids_count),
    .GuardFlagsWord = reinterpret_cast<uintptr_t>(&__guard_flags),
    .GuardAddressTakenIatEntryTable = reinterpret_cast<uintptr_t>(__guard_iat_table),
    .GuardAddressTakenIatEntryCount = reinterpret_cast<uintptr_t>(&__guard_iat_count),
    .GuardLongJumpTargetTable = reinterpret_cast<uintptr_t>(__guard_longjmp_table),
    .GuardLongJumpTargetCount = reinterpret_cast<uintptr_t>(&__guard_longjmp_count),
    .GuardEHContinuationTable = reinterpret_cast<uintptr_t>(__guard_eh_cont_table),
    .GuardEHContinuationCount = reinterpret_cast<uintptr_t>(&__guard_eh_cont_count),
};

}  // extern "C"
// NOLINTEND(bugprone-reserved-identifier)
