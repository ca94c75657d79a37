#pragma once
// The movies the stand-in hosts. A real movie file would be a Flash
// animation; ours are small ini files that name the kind of movie
// (`[movie] kind=...`), and each kind is drawn and driven here.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

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

// Where the monitor movie puts each core's ratio read-out below the bars:
// centred on the core's column, in as many staggered rows as it takes for
// read-outs of size `text` to stay apart (one row when each fits its own
// column), moved inside `area` at its edges.
struct ReadoutLayout {
    int rows = 1;
    int top = 0;  // of the first row; the bars end above it
    std::vector<RECT> boxes;
};
ReadoutLayout LayOutReadouts(const RECT& area, int cores, SIZE text);

// The read-outs' font (the caller deletes it), and the size the widest
// read-out ("88.8") takes with it on `dc`.
HFONT CreateReadoutFont();
SIZE WidestReadout(HDC dc, HFONT font);

// The movie of a file; an empty movie when the file is missing or names no
// kind the stand-in knows.
std::unique_ptr<Movie> LoadMovie(const std::wstring& path);

// Parses `<invoke name="N" returntype="xml"><arguments><string>A</string>
// </arguments></invoke>`; false for anything else.
bool ParseInvoke(const std::wstring& request, std::wstring* name, std::wstring* argument);

}  // namespace flashobj
