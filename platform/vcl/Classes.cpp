#include "platform/vcl/Classes.h"

#include "platform/vcl/LibraryTables.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <typeinfo>

namespace {

// "qn::TShapedFormMaker" -> "TShapedFormMaker"; template arguments are kept.
std::string WithoutNamespaces(const std::string& name)
{
    int depth = 0;
    size_t start = 0;
    for (size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (c == '<')
            ++depth;
        else if (c == '>')
            --depth;
        else if (depth == 0 && c == ':' && i + 1 < name.size() && name[i + 1] == ':')
            start = i + 2;
    }
    return name.substr(start);
}

}  // namespace

std::map<const std::type_info*, std::string>& ClassNames()
{
    static std::map<const std::type_info*, std::string> names;
    return names;
}

std::string TObject::ClassName() const
{
    // One demangling per class; the GUI thread asks this for every window.
    auto& names = ClassNames();
    const std::type_info& type = typeid(*this);
    auto found = names.find(&type);
    if (found != names.end())
        return found->second;
    int status = 0;
    char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string name = WithoutNamespaces(status == 0 && demangled ? demangled : type.name());
    std::free(demangled);
    names[&type] = name;
    return name;
}

void TObject::Dispatch(TMessage& message)
{
    DefaultHandler(message);
}

void TObject::DefaultHandler(TMessage& message) {}

void TPersistent::Assign(TPersistent* source)
{
    if (source)
        source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* destination)
{
    destination->AssignError(this);
}

void TPersistent::AssignError(TPersistent* source)
{
    std::string sourceName = source ? source->ClassName() : "nil";
    throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    for (TComponent* listener : std::vector<TComponent*>(m_freeNotifies)) {
        listener->Notification(this, opRemove);
        auto& theirs = listener->m_freeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    }
    m_freeNotifies.clear();
    DestroyComponents();
    if (m_owner)
        m_owner->RemoveComponent(this);
}

void TComponent::InsertComponent(TComponent* component)
{
    if (component->m_owner)
        component->m_owner->RemoveComponent(component);
    m_components.push_back(component);
    component->m_owner = this;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    auto found = std::find(m_components.begin(), m_components.end(), component);
    if (found == m_components.end())
        return;
    Notification(component, opRemove);
    m_components.erase(std::find(m_components.begin(), m_components.end(), component));
    component->m_owner = nullptr;
}

void TComponent::DestroyComponents()
{
    while (!m_components.empty()) {
        TComponent* last = m_components.back();
        RemoveComponent(last);
        last->Destroying();
        delete last;
    }
}

void TComponent::Destroying()
{
    if (m_state & csDestroying)
        return;
    m_state |= csDestroying;
    for (TComponent* component : m_components)
        component->Destroying();
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this)
        return;
    if (std::find(m_freeNotifies.begin(), m_freeNotifies.end(), component) == m_freeNotifies.end())
        m_freeNotifies.push_back(component);
    if (std::find(component->m_freeNotifies.begin(), component->m_freeNotifies.end(), this) ==
        component->m_freeNotifies.end())
        component->m_freeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    m_freeNotifies.erase(std::remove(m_freeNotifies.begin(), m_freeNotifies.end(), component), m_freeNotifies.end());
    if (component)
        component->m_freeNotifies.erase(
            std::remove(component->m_freeNotifies.begin(), component->m_freeNotifies.end(), this),
            component->m_freeNotifies.end());
}

void TComponent::Notification(TComponent* component, TOperation operation) {}

namespace {
std::vector<TRegisteredPage>& Pages()
{
    static std::vector<TRegisteredPage> pages;
    return pages;
}
}  // namespace

void RegisterComponents(const std::string& page, const std::vector<std::string>& classNames)
{
    auto& pages = Pages();
    auto found = std::find_if(pages.begin(), pages.end(), [&](const TRegisteredPage& p) { return p.page == page; });
    if (found == pages.end()) {
        pages.push_back({page, {}});
        found = pages.end() - 1;
    }
    for (const std::string& name : classNames)
        if (std::find(found->classNames.begin(), found->classNames.end(), name) == found->classNames.end())
            found->classNames.push_back(name);
}

const std::vector<TRegisteredPage>& RegisteredComponentPages()
{
    return Pages();
}

void TStrings::Put(int index, const std::string& text)
{
    void* object = GetObject(index);
    Delete(index);
    Insert(index, text);
    PutObject(index, object);
}

int TStrings::Add(const std::string& text)
{
    int index = Count();
    Insert(index, text);
    return index;
}

int TStrings::AddObject(const std::string& text, void* object)
{
    int index = Add(text);
    PutObject(index, object);
    return index;
}

int TStrings::IndexOf(const std::string& text) const
{
    for (int i = 0; i < Count(); ++i)
        if (lstrcmpiA(Get(i).c_str(), text.c_str()) == 0)
            return i;
    return -1;
}

void TStrings::Move(int from, int to)
{
    if (from == to)
        return;
    std::string text = Get(from);
    void* object = GetObject(from);
    Delete(from);
    Insert(to, text);
    PutObject(to, object);
}

std::string TStrings::Text() const
{
    std::string text;
    for (int i = 0; i < Count(); ++i)
        text += Get(i) + "\r\n";
    return text;
}

void TStrings::SetText(const std::string& text)
{
    BeginUpdate();
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            Add(text.substr(start));
            break;
        }
        Add(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    EndUpdate();
}

void TStrings::LoadFromFile(const std::string& fileName)
{
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + SysErrorMessage(GetLastError()));
    std::stringstream contents;
    contents << file.rdbuf();
    SetText(contents.str());
}

void TStrings::SaveToFile(const std::string& fileName) const
{
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    if (!file)
        throw EFCreateError("Cannot create file \"" + fileName + "\". " + SysErrorMessage(GetLastError()));
    file << Text();
    if (!file)
        throw EWriteError("Stream write error");
}

void TStrings::BeginUpdate()
{
    if (m_updateCount++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate()
{
    if (m_updateCount > 0 && --m_updateCount == 0)
        SetUpdateState(false);
}

void TStrings::Assign(TPersistent* source)
{
    if (auto* strings = dynamic_cast<TStrings*>(source)) {
        if (strings == this)
            return;
        BeginUpdate();
        Clear();
        for (int i = 0; i < strings->Count(); ++i)
            AddObject(strings->Get(i), strings->GetObject(i));
        EndUpdate();
        return;
    }
    TPersistent::Assign(source);
}

void TStringList::CheckIndex(int index, bool allowEnd) const
{
    int limit = Count() + (allowEnd ? 1 : 0);
    if (index < 0 || index >= limit)
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

std::string TStringList::Get(int index) const
{
    CheckIndex(index, false);
    return m_items[index].text;
}

void TStringList::Put(int index, const std::string& text)
{
    CheckIndex(index, false);
    m_items[index].text = text;
    Changed();
}

void* TStringList::GetObject(int index) const
{
    CheckIndex(index, false);
    return m_items[index].object;
}

void TStringList::PutObject(int index, void* object)
{
    CheckIndex(index, false);
    m_items[index].object = object;
}

void TStringList::Insert(int index, const std::string& text)
{
    CheckIndex(index, true);
    if (m_sorted) {
        auto at = std::upper_bound(m_items.begin(), m_items.end(), text, [](const std::string& t, const Item& item) {
            return lstrcmpiA(t.c_str(), item.text.c_str()) < 0;
        });
        m_items.insert(at, Item{text, nullptr});
    } else {
        m_items.insert(m_items.begin() + index, Item{text, nullptr});
    }
    Changed();
}

void TStringList::Delete(int index)
{
    CheckIndex(index, false);
    m_items.erase(m_items.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (m_items.empty())
        return;
    m_items.clear();
    Changed();
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted && !m_sorted) {
        m_sorted = true;
        Sort();
    }
    m_sorted = sorted;
}

void TStringList::Sort()
{
    std::stable_sort(m_items.begin(), m_items.end(),
                     [](const Item& a, const Item& b) { return lstrcmpiA(a.text.c_str(), b.text.c_str()) < 0; });
    Changed();
}

void TStringList::SetUpdateState(bool updating)
{
    if (!updating)
        Changed();
}

void TStringList::Changed()
{
    if (UpdateCount() == 0)
        OnChange(this);
}
