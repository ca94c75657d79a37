#pragma once
// The tables the library keeps for the whole run: the demangled class names
// and the DIB sections made top-down. They are made on first use, and first
// used while this module's application object is made, so that static
// destruction takes them away only after that object: forms a program never
// handed to the message loop are freed with it at exit and still reach them.

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <typeinfo>

std::map<const std::type_info*, std::string>& ClassNames();
std::set<HBITMAP>& TopDownSections();

inline void MakeLibraryTables()
{
    ClassNames();
    TopDownSections();
}
