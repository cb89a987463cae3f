// std::string's members, instantiated here. The C++ library declares them extern templates,
// to be taken from its own compiled library, which the programs do not link; this explicit
// instantiation gives them from the headers, compiled like the rest of the program. The linker
// keeps only the members the program calls.
#include <string>

template class std::basic_string<char>;
