// Gives back, as the module unloads, what the statically linked C++ runtime holds for the module's
// lifetime: without it every unload leaves that memory in the host's heap.
#include <cstddef> // any standard header tells which library this is

#ifdef __GLIBCXX__

namespace __gnu_cxx {
void __freeres(); // libstdc++'s own release of its emergency exception pool
} // namespace __gnu_cxx

namespace {

// libstdc++ allocates its emergency exception pool (18,944 bytes on 32-bit) as the module loads and
// frees it only in __freeres. The lowest priority number builds this first and so destroys it after
// every other static object of the module; the pool serves only when malloc fails, so a throw after
// this point still works.
struct RuntimeRelease {
    RuntimeRelease() = default;
    RuntimeRelease(const RuntimeRelease&) = delete;
    RuntimeRelease& operator=(const RuntimeRelease&) = delete;
    ~RuntimeRelease() { __gnu_cxx::__freeres(); }
};

RuntimeRelease runtimeRelease __attribute__((init_priority(101)));

} // namespace

#endif
