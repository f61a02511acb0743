#pragma once

#include <string_view>

namespace melorit::audio {

// The library's error codes. The numbers are fixed: the program shows them to
// the user together with their symbolic names, so they never change.
enum class Error : int {
    Ok = 0,
    Mem = 1,
    FileOpen = 2,
    Driver = 3,
    BufLost = 4,
    Handle = 5,
    Format = 6,
    Position = 7,
    Init = 8,
    Start = 9,
    Already = 14,
    NoPause = 16,
    NoChan = 18,
    IllType = 19,
    IllParam = 20,
    No3D = 21,
    NoEax = 22,
    Device = 23,
    NoPlay = 24,
    Freq = 25,
    NotFile = 27,
    NoHw = 29,
    Empty = 31,
    NoNet = 32,
    Create = 33,
    NoFx = 34,
    Playing = 35,
    NotAvail = 37,
    Decode = 38,
    Dx = 39,
    Timeout = 40,
    FileForm = 41,
    Speaker = 42,
    Version = 43,
    Codec = 44,
    Unknown = -1,
};

// The last error of the calling thread: every operation of the library sets
// it, to Error::Ok when it succeeds. Any thread.
Error lastError() noexcept;

// The symbolic name of a code ("BASS_ERROR_FILEOPEN" for 2), or an empty view
// for a number that is not one of the codes above. Any thread.
std::string_view errorName(int code) noexcept;

namespace detail {
// Sets the calling thread's last error and returns whether it is Error::Ok,
// so an operation can end with `return fail(Error::Handle)`-style code.
void setLastError(Error error) noexcept;
inline bool succeed() noexcept
{
    setLastError(Error::Ok);
    return true;
}
inline bool fail(Error error) noexcept
{
    setLastError(error);
    return false;
}
} // namespace detail

} // namespace melorit::audio
