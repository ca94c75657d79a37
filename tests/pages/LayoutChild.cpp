#include "LayoutChild.h"

#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

#include "KyPackage/Source/KyButton.h"
#include "KyPackage/Source/KyCheckBox.h"
#include "KyPackage/Source/KyImage.h"
#include "KyPackage/Source/KyLabel.h"
#include "MessageBoxCatcher.h"
#include "PageFolder.h"
#include "TestProcess.h"
#include "app/bars/AdvBar.h"
#include "app/bars/AdvGpuBar.h"
#include "app/pages/AdvGroup.h"
#include "app/bars/AdvLargeBar.h"
#include "app/bars/AdvScrollBar.h"
#include "app/controls/AlphaButton.h"
#include "app/pages/GpuLayout.h"
#include "app/forms/MainForm.h"
#include "app/forms/ShadowForm.h"
#include "app/pages/TweakLayout.h"
#include "app/pages/ZendrixLayout.h"
#include "app/protocol/ZendrixMessages.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Label.h"
#include "tuning/KyOcPrimaryItemSet.h"
#include "app/bars/AdvCoreBar.h"
#include "app/bars/AdvCoreRatio.h"
#include "app/bars/AdvOnOffBar.h"
#include "app/pages/MultiRatioLotCoreLayout.h"
#include "app/pages/RatioLayout.h"
#include "app/pages/SingleRatioLotCoreLayout.h"
#include "app/pages/TurboBoostRatioAndKavrinLayout.h"

namespace {

using pagetest::ChildArgument;

const char* PageKind(OcLayout* page)
{
    if (dynamic_cast<TweakLayout*>(page))
        return "tweak";
    if (dynamic_cast<GpuLayout*>(page))
        return "gpu";
    if (dynamic_cast<TurboBoostRatioAndKavrinLayout*>(page))
        return "turbo-kavrin";
    if (dynamic_cast<TurboBoostRatioLayout*>(page))
        return "turbo";
    if (dynamic_cast<MultiRatioLotCoreLayout*>(page))
        return "multi";
    if (dynamic_cast<SingleRatioLotCoreLayout*>(page))
        return "single";
    return "ratio";
}

template <class Page>
Page* FindPage()
{
    for (OcLayout* page : ZendrixLayout::GetInstance().GetPages())
        if (auto* found = dynamic_cast<Page*>(page))
            return found;
    return nullptr;
}

std::string Place(int left, int top)
{
    return std::to_string(left) + "," + std::to_string(top);
}

void ReportBuild(std::ostringstream& out)
{
    ZendrixLayout& layout = ZendrixLayout::GetInstance();
    out << "pages=";
    const char* separator = "";
    for (OcLayout* page : layout.GetPages()) {
        out << separator << PageKind(page);
        separator = ",";
    }
    out << " tabs=";
    separator = "";
    for (OcLayout* page : layout.GetPages()) {
        out << separator << page->Tab()->Left();
        separator = ",";
    }
    // The "More Setting" box: its picture's width, its caption's width and
    // the character set of its font follow the language.
    KyCheckBoxTx* more = MainForm->MoreSettingBox;
    const RECT& text = more->TextLayout().textBounds;
    out << "\nmore=" << more->Width() << " text=" << (text.right - text.left) << "x" << (text.bottom - text.top)
        << " charset=" << static_cast<int>(more->Font()->Charset());
    out << "\nmain=";
    for (AdvLargeBar* bar : layout.GetMainBars())
        out << Place(bar->GetLeft(), bar->GetTop()) << " ";
    out << "\n";
    if (auto* tweak = FindPage<TweakLayout>()) {
        int n = 0;
        for (const auto& group : tweak->GetGroups()) {
            out << "group" << n++ << "=" << group->GetLayoutType() << " " << group->Caption()->GetText();
            for (AdvScrollBar* bar : group->GetBars())
                out << " " << Place(bar->GetLeft(), bar->GetTop());
            out << "\n";
        }
    }
    if (auto* gpu = FindPage<GpuLayout>()) {
        out << "gpu=";
        for (AdvGpuBar* bar : gpu->GetBars())
            out << Place(bar->GetLeft(), bar->GetTop()) << " ";
        out << "\n";
    }
}

void ReportState(std::ostringstream& out)
{
    ZendrixLayout& layout = ZendrixLayout::GetInstance();
    out << pagetest::kStatePrefix << "size=" << layout.GetSize() << " client=" << MainForm->ClientWidth() << "x"
        << MainForm->ClientHeight() << " shadow=" << ShadowForm->ClientWidth() << "x" << ShadowForm->ClientHeight()
        << " buttons=" << MainForm->ApplyButton->Top() << "," << MainForm->UndoButton->Top()
        << " expanded=" << layout.IsExpanded() << " selected=";
    for (size_t i = 0; i < layout.GetPages().size(); ++i)
        if (layout.GetPages()[i]->IsSelected())
            out << i;
    out << " ratio=";
    for (AdvBar* bar : layout.GetCoreRatioBars())
        out << Place(bar->GetLeft(), bar->GetTop()) << "," << bar->IsVisible() << " ";
    if (auto* turbo = FindPage<TurboBoostRatioLayout>()) {
        out << "previews=";
        for (AdvCoreRatio* preview : turbo->GetPreviews())
            out << preview->IsVisible();
        out << " cores=" << turbo->CoreBox()->GetValue();
    }
    if (auto* kavrin = FindPage<TurboBoostRatioAndKavrinLayout>()) {
        out << " unlock=" << kavrin->OnOffBox()->IsOn() << " images=";
        for (KyImage* image : kavrin->GetKavrinBars())
            out << image->Visible();
    }
    if (auto* multi = FindPage<MultiRatioLotCoreLayout>()) {
        out << " group=" << multi->GetCurrentGroup() << " buttons=";
        for (size_t i = 0; i < multi->GetPreviewButtons().size(); ++i) {
            KyButton* button = multi->GetPreviewButtons()[i];
            out << Place(button->Left(), button->Top()) << ":" << multi->GroupOfButton(static_cast<int>(i)) << " ";
        }
    }
    if (auto* gpu = FindPage<GpuLayout>()) {
        out << " gpu=";
        for (AdvGpuBar* bar : gpu->GetBars())
            out << bar->IsVisible() << bar->Track()->Enabled();
    }
    out << "\n";
}

// Every control of the main form must lie inside the largest window.
void ReportOutside(std::ostringstream& out)
{
    const int width = MainForm->LargeBk->Width();
    const int height = MainForm->LargeBk->Height();
    out << "outside=";
    for (int i = 0; i < MainForm->ControlCount(); ++i) {
        TControl* control = MainForm->Controls(i);
        const RECT r = control->BoundsRect();
        if (r.left < 0 || r.top < 0 || r.right > width || r.bottom > height)
            out << control->ClassName() << "@" << Place(r.left, r.top) << "+"
                << Place(r.right - r.left, r.bottom - r.top) << " ";
    }
    out << "\n";
}

// Reads of the CPU ratio item in the board's call log so far.
int RatioReadsLogged()
{
    char path[MAX_PATH] = "";
    GetEnvironmentVariableA("KYACPI_LOG", path, sizeof path);
    FILE* log = std::fopen(path, "rb");
    if (log == nullptr)
        return -1;
    int reads = 0;
    char line[512];
    while (std::fgets(line, sizeof line, log) != nullptr)
        if (std::strstr(line, "AcpiGetItemValue id=0x03060013 ") != nullptr)
            ++reads;
    std::fclose(log);
    return reads;
}

// Pixels `text` takes in `label`'s font, as GDI measures it.
int TextWidthIn(TControl* label, const std::string& text)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, label->Font()->Handle());
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

bool Overlap(const RECT& a, const RECT& b)
{
    RECT both{};
    return a.right > a.left && b.right > b.left && IntersectRect(&both, &a, &b);
}

// A name label narrower than this shows too little of the name.
constexpr int kShortestName = 24;

// What hides or clips a bar's texts: a label outside the largest window,
// two of its labels (or a label and the track or step button) overlapping,
// a value text wider than its label, a name label without its ellipsis.
void ReportBarTexts(std::ostringstream& out, AdvScrollBar* bar)
{
    const int width = MainForm->LargeBk->Width();
    const int height = MainForm->LargeBk->Height();
    const std::string who = bar->NameLabel()->GetText() + ": ";
    struct Part {
        const char* name;
        TControl* control;
    };
    const Part labels[] = {{"name", bar->NameLabel()},
                           {"bios", bar->BiosValueLabel()},
                           {"value", bar->ValueLabel()},
                           {"unit", bar->UnitLabel()}};
    const Part others[] = {{"track", bar->Track()}, {"button", bar->LeftButton()}};
    for (size_t i = 0; i < std::size(labels); ++i) {
        const RECT r = labels[i].control->BoundsRect();
        if (r.left < 0 || r.top < 0 || r.right > width || r.bottom > height)
            out << who << labels[i].name << " outside; ";
        for (size_t j = i + 1; j < std::size(labels); ++j)
            if (Overlap(r, labels[j].control->BoundsRect()))
                out << who << labels[i].name << " over " << labels[j].name << "; ";
        for (const Part& other : others)
            if (other.control != nullptr && Overlap(r, other.control->BoundsRect()))
                out << who << labels[i].name << " over " << other.name << "; ";
    }
    if ((bar->NameLabel()->TextFormat() & DT_END_ELLIPSIS) == 0)
        out << who << "name without ellipsis; ";
    if (bar->NameLabel()->Width() < kShortestName)
        out << who << "name " << bar->NameLabel()->Width() << " wide; ";
    BiosItemA* item = KyOcPrimaryItemSet::GetInstance().GetItem(bar->GetItemSlot());
    for (int position = 0; item != nullptr && position < item->GetValueCount(); ++position) {
        const std::string text = AdvScrollBar::ValueText(*item, position);
        for (TControl* label :
             {static_cast<TControl*>(bar->ValueLabel()), static_cast<TControl*>(bar->BiosValueLabel())})
            if (TextWidthIn(label, text) > label->Width()) {
                out << who << "\"" << text << "\" is " << TextWidthIn(label, text) << " in " << label->Width() << "; ";
                break;
            }
    }
}

// Every scroll bar of every page.
void ReportTexts(std::ostringstream& out)
{
    ZendrixLayout& layout = ZendrixLayout::GetInstance();
    out << "texts=";
    for (AdvLargeBar* bar : layout.GetMainBars())
        ReportBarTexts(out, bar);
    if (auto* tweak = FindPage<TweakLayout>())
        for (const auto& group : tweak->GetGroups())
            for (AdvScrollBar* bar : group->GetBars())
                ReportBarTexts(out, bar);
    if (auto* gpu = FindPage<GpuLayout>())
        for (AdvGpuBar* bar : gpu->GetBars())
            ReportBarTexts(out, bar);
    out << "\n";
}

// The shown bars' parts that cover Apply or Undo, the voltage page's
// separator line, or lie outside the window as it is now.
void ReportCrowding(std::ostringstream& out)
{
    const RECT client{0, 0, MainForm->ClientWidth(), MainForm->ClientHeight()};
    const RECT separator{41, 435, 41 + 560, 435 + 4};
    const RECT apply = MainForm->ApplyButton->BoundsRect();
    const RECT undo = MainForm->UndoButton->BoundsRect();
    out << "crowded=";
    for (AdvBar* bar : ZendrixLayout::GetInstance().GetAllBars()) {
        if (!bar->IsVisible())
            continue;
        for (TControl* child : bar->Children()) {
            const RECT r = child->BoundsRect();
            RECT inside{};
            if (!child->Visible() || r.right <= r.left || r.bottom <= r.top)
                continue;
            const bool outside = !IntersectRect(&inside, &r, &client) || !EqualRect(&inside, &r);
            if (outside || Overlap(r, apply) || Overlap(r, undo) || Overlap(r, separator))
                out << child->ClassName() << "@" << Place(r.left, r.top) << " ";
        }
    }
    out << "\n";
}

void RunStep(const std::string& step, std::ostringstream& out)
{
    ZendrixLayout& layout = ZendrixLayout::GetInstance();
    if (step == "show")
        layout.ShowPages();
    else if (step == "collapse")
        layout.Collapse();
    else if (step == "middle")
        layout.ExpandMiddle();
    else if (step == "large")
        layout.ExpandLarge();
    else if (step.rfind("tab", 0) == 0)
        layout.OnTabClick(layout.GetPages().at(std::stoul(step.substr(3)))->Tab());
    else if (step.rfind("preview", 0) == 0)
        FindPage<MultiRatioLotCoreLayout>()->OnPreviewClick(
            FindPage<MultiRatioLotCoreLayout>()->GetPreviewButtons().at(std::stoul(step.substr(7))));
    else if (step.rfind("unlock", 0) == 0)
        MainForm->Perform(kMsgCoreUnlockToMain, std::stoul(step.substr(6)), 0);
    else if (step == "link")
        FindPage<GpuLayout>()->LinkBox()->Click();
    else if (step == "crowd")
        ReportCrowding(out);
    else if (step == "paint") {
        // One paint of every preview button.
        const int before = RatioReadsLogged();
        FindPage<MultiRatioLotCoreLayout>()->Refresh();
        out << "ratio reads per paint=" << RatioReadsLogged() - before << "\n";
    }
}

}  // namespace

ZX_TEST_CHILD(layout_report)
{
    zxtest::MessageBoxCatcher boxes;
    Application->Initialize();
    Application->SetShowMainForm(false);
    Application->CreateForm(MainForm);
    Application->CreateForm(ShadowForm);
    MainForm->Background->Picture()->Assign(MainForm->SmallBk->Picture());
    ZendrixLayout::GetInstance().Build(*MainForm);

    std::ostringstream out;
    ReportBuild(out);
    ReportState(out);
    std::stringstream steps(ChildArgument());
    std::string step;
    while (std::getline(steps, step, ',')) {
        RunStep(step, out);
        ReportState(out);
    }
    ReportOutside(out);
    ReportTexts(out);
    for (const zxtest::CaughtBox& box : boxes.Boxes())
        out << "box=" << box.caption << ": " << box.text << "\n";
    std::fputs(out.str().c_str(), stdout);
    std::fflush(stdout);
    return 0;
}
