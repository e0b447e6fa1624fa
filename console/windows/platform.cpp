// The platform seam on Windows: kernel32's standard handles, ReadFile and WriteFile.
#include <windows.h>

#include "console/platform.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace con::platform {

namespace {

HANDLE handle_of(Handle h) { return reinterpret_cast<HANDLE>(h); }

Transfer result(BOOL ok, DWORD count)
{
    if (!ok) return {0, GetLastError()};
    return {static_cast<std::int32_t>(count), 0};
}

}  // namespace

Handle standard_handle(Standard which)
{
    static constexpr DWORD ids[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    return reinterpret_cast<Handle>(GetStdHandle(ids[static_cast<int>(which)]));
}

Kind kind(Handle h)
{
    switch (GetFileType(handle_of(h))) {
    case FILE_TYPE_CHAR: return Kind::character_device;
    case FILE_TYPE_PIPE: return Kind::pipe;
    default: return Kind::file;
    }
}

Transfer read(Handle h, std::uint8_t* buf, std::int32_t size)
{
    DWORD n = 0;
    BOOL ok = ReadFile(handle_of(h), buf, static_cast<DWORD>(size), &n, nullptr);
    return result(ok, n);
}

Transfer write(Handle h, const std::uint8_t* buf, std::int32_t size)
{
    DWORD n = 0;
    BOOL ok = WriteFile(handle_of(h), buf, static_cast<DWORD>(size), &n, nullptr);
    return result(ok, n);
}

// The address as linked: where the image was loaded taken off, its preferred base put back,
// so that the figures stay the same from run to run and addr2line takes them as they stand.
std::uint32_t report_address(std::uintptr_t code)
{
    auto base = reinterpret_cast<std::uintptr_t>(&__ImageBase);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + static_cast<std::uintptr_t>(__ImageBase.e_lfanew));
    return static_cast<std::uint32_t>(code - base + nt->OptionalHeader.ImageBase);
}

[[noreturn]] void exit_process(std::uint32_t code)
{
    ExitProcess(code);
}

}  // namespace con::platform
