// Windows half: what the DLL does with an exception that nothing catches.
//
// The C++ library's default handler writes the exception's type, demangled, to standard error
// and then aborts. A host of the suite is a windowed program with no standard error to read,
// and the demangler that the message needs is a sixth of the statically linked DLL. This
// handler takes the default one's place at link time and aborts at once, as the default one
// does after its message. Only the DLL links it: test programs keep the library's message.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx
