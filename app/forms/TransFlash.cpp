#include "app/forms/TransFlash.h"

#include <algorithm>
#include <vector>

#include "vessa/System/ProcAddress.h"

namespace {

// The library, bound by the first movie and kept for the process.
struct FlashObjBinding {
    HMODULE library = nullptr;
    FlashCreateFunction create = nullptr;
    FlashSetCallbackFunction setCallback = nullptr;
    FlashCallFunction callFunction = nullptr;
    FlashPlayFunction play = nullptr;  // bound, never called
    FlashStopFunction stop = nullptr;  // bound, never called
};

FlashObjBinding& Binding()
{
    static FlashObjBinding binding;
    return binding;
}

void BindFlashObj()
{
    FlashObjBinding& binding = Binding();
    if (binding.library)
        return;
    binding.library = LoadLibraryA(kFlashObjLibraryName);
    if (!binding.library)
        return;  // the next movie tries again
    binding.create = vessa::GetProcAddressAs<FlashCreateFunction>(binding.library, kFlashCreateName);
    binding.setCallback = vessa::GetProcAddressAs<FlashSetCallbackFunction>(binding.library, kFlashSetCallbackName);
    binding.callFunction = vessa::GetProcAddressAs<FlashCallFunction>(binding.library, kFlashCallFunctionName);
    binding.play = vessa::GetProcAddressAs<FlashPlayFunction>(binding.library, kFlashPlayName);
    binding.stop = vessa::GetProcAddressAs<FlashStopFunction>(binding.library, kFlashStopName);
}

std::vector<TTransFlash*>& LiveMovies()
{
    static std::vector<TTransFlash*>* movies = new std::vector<TTransFlash*>();  // kept for the process
    return *movies;
}

constexpr UINT kShowFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW;  // 0x47
constexpr UINT kHideFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_HIDEWINDOW;  // 0x87

}  // namespace

TTransFlash::TTransFlash(HWND parent, const std::string& name, const std::wstring& moviePath) : m_parent(parent)
{
    BindFlashObj();
    if (Binding().create)
        m_movie = Binding().create(parent, moviePath.c_str());
    LiveMovies().push_back(this);
}

TTransFlash::~TTransFlash()
{
    auto& movies = LiveMovies();
    movies.erase(std::remove(movies.begin(), movies.end(), this), movies.end());
    if (m_movie)
        DestroyWindow(m_movie);
}

void TTransFlash::SetPosition(int dx, int dy)
{
    m_dx = dx;
    m_dy = dy;
    RECT parent{};
    if (!m_movie || !GetWindowRect(m_parent, &parent))
        return;
    SetWindowPos(m_movie, nullptr, parent.left + dx, parent.top + dy, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

void TTransFlash::SetSize(int width, int height)
{
    m_width = width;
    m_height = height;
    if (m_movie)
        SetWindowPos(m_movie, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE);
}

void TTransFlash::FollowParent()
{
    SetPosition(m_dx, m_dy);
}

void TTransFlash::SetVisible(bool visible)
{
    m_visible = visible;
    if (m_movie)
        SetWindowPos(m_movie, nullptr, 0, 0, 0, 0, visible ? kShowFlags : kHideFlags);
}

void TTransFlash::SetCallback(FlashCallCallback callback)
{
    if (m_movie && Binding().setCallback)
        Binding().setCallback(m_movie, callback);
}

std::wstring TTransFlash::InvokeRequest(const std::wstring& name, const std::wstring& argument)
{
    // Neither the name nor the argument is escaped: the movies take them as sent.
    return L"<invoke name=\"" + name + L"\" returntype=\"xml\"><arguments><string>" + argument +
           L"</string></arguments></invoke>";
}

void TTransFlash::Invoke(const std::wstring& name, const std::wstring& argument)
{
    if (!m_movie || !Binding().callFunction)
        return;
    try {
        const std::wstring request = InvokeRequest(name, argument);
        FlashCallBlock block{0, 0, request.c_str(), 0};
        Binding().callFunction(m_movie, &block);
    } catch (...) {
        // A movie call that cannot be made is dropped: the next refresh sends again.
    }
}

void TTransFlash::InvokeInt(const std::wstring& name, int value)
{
    Invoke(name, std::to_wstring(value));
}

void TTransFlash::FollowAll()
{
    for (TTransFlash* movie : LiveMovies())
        movie->FollowParent();
}
