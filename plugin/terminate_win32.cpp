// libstdc++'s default terminate handler prints the demangled exception type,
// which links the whole demangler and printf machinery into the DLL (about
// 60 KiB). No exception can reach it here (every boundary catches), and a
// plugin inside the host's process has no console to print to anyway.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
