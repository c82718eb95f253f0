#pragma once

#include <cerrno>
#include <csignal>
#include <cstring>
#include <dlfcn.h>
#include <unistd.h>

#include <functional>

// A kill (or a refusal by the disk) at the very call that puts a file in
// place. Armed in a child process only: the rename or link that gives a
// file the armed name kills the process, as a kill or a power cut would at
// that moment, or fails with an I/O error. Included in one source file of
// a test whose executable exports its symbols (ENABLE_EXPORTS), so that
// the calls of Qt come here too.
namespace RenameFault {

inline const char *armedName = nullptr;
inline bool refuse = false;
// When set, the armed call neither kills nor fails: it is shown the path
// first, to look at what a kill at that very moment would leave, and goes
// on. Lets a test whose process cannot be forked watch the moment.
inline std::function<void(const char *)> witness;

// A name with a folder ("work/LoginCrypt.orvex") strikes only in a folder
// of that name; a bare name in any folder.
inline bool armedFor(const char *path)
{
    if (!armedName || !path)
        return false;
    const size_t length = strlen(path);
    const size_t armed = strlen(armedName);
    if (strchr(armedName, '/'))
        return length > armed && path[length - armed - 1] == '/' && strcmp(path + length - armed, armedName) == 0;
    const char *slash = strrchr(path, '/');
    return strcmp(slash ? slash + 1 : path, armedName) == 0;
}

// Whether the call to `path` is to fail (the process is killed first
// unless refusing); a witness is shown the path instead.
inline bool strikes(const char *path)
{
    if (!armedFor(path))
        return false;
    if (!witness)
        return true;
    witness(path);
    return false;
}

inline int strike()
{
    if (!refuse)
        kill(getpid(), SIGKILL);
    errno = EIO;
    return -1;
}

template <typename Function>
Function next(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace RenameFault

// Every way a file reaches its name: rename (also Qt's renameat2) and the
// links QTemporaryFile and QFile::copy finish with.
extern "C" int rename(const char *from, const char *to) noexcept
{
    static const auto real = RenameFault::next<int (*)(const char *, const char *)>("rename");
    return RenameFault::strikes(to) ? RenameFault::strike() : real(from, to);
}

extern "C" int renameat2(int fromDir, const char *from, int toDir, const char *to, unsigned int flags) noexcept
{
    static const auto real = RenameFault::next<int (*)(int, const char *, int, const char *, unsigned int)>("renameat2");
    return RenameFault::strikes(to) ? RenameFault::strike() : real(fromDir, from, toDir, to, flags);
}

extern "C" int link(const char *from, const char *to) noexcept
{
    static const auto real = RenameFault::next<int (*)(const char *, const char *)>("link");
    return RenameFault::strikes(to) ? RenameFault::strike() : real(from, to);
}

extern "C" int linkat(int fromDir, const char *from, int toDir, const char *to, int flags) noexcept
{
    static const auto real = RenameFault::next<int (*)(int, const char *, int, const char *, int)>("linkat");
    return RenameFault::strikes(to) ? RenameFault::strike() : real(fromDir, from, toDir, to, flags);
}
