#pragma once
// The movies the stand-in hosts. A real movie file would be a Flash
// animation; ours are small ini files that name the kind of movie
// (`[movie] kind=...`), and each kind is drawn and driven here.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace flashobj {

// Sends the movie's call-out text to the program.
using CallOut = std::function<void(const std::wstring& text)>;

class Movie {
public:
    virtual ~Movie() = default;
    virtual void Paint(HDC dc, const RECT& area) = 0;
    virtual void Click(POINT at, const RECT& area) {}
    // A function call of the program: name and its one string argument.
    virtual void Call(const std::wstring& name, const std::wstring& argument) {}

    void SetCallOut(CallOut callOut) { m_callOut = std::move(callOut); }

protected:
    void Send(const std::wstring& text) const
    {
        if (m_callOut)
            m_callOut(text);
    }

private:
    CallOut m_callOut;
};

// The movie of a file; an empty movie when the file is missing or names no
// kind the stand-in knows.
std::unique_ptr<Movie> LoadMovie(const std::wstring& path);

// Parses `<invoke name="N" returntype="xml"><arguments><string>A</string>
// </arguments></invoke>`; false for anything else.
bool ParseInvoke(const std::wstring& request, std::wstring* name, std::wstring* argument);

}  // namespace flashobj
