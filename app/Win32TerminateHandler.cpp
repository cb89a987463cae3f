// The programs' terminate handler. The standard library's default one prints the active
// exception's demangled type name, and brings the whole demangler (a sixth of a program) with
// it. PrereqCheck's programs raise no exceptions they do not handle, so theirs only ends the
// program; defining it here keeps the library's own out of the link. Linked into each program,
// never into the library (an archive member nothing refers to would not be linked).
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
