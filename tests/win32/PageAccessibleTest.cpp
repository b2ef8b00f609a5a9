// Each page as a screen reader in this process finds it: its own object, its children in
// reading order with their roles, names and values, where they lie, and an object that outlives
// its page.
#include "pages/Unit1.h"
#include "tests/AccessibleTree.h"
#include "tests/win32/TestPages.h"

#include <gtest/gtest.h>

#include <memory>

namespace setup {
namespace {

using TLines = std::vector<std::string>;

class PageAccessible : public ::testing::Test {
protected:
    TComInit Com = InitializeCom();
};

TEST_F(PageAccessible, EveryPageTellsWhatItShowsInReadingOrder) {
    TPages pages;
    TForm1 backdrop{pages.Application, pages.Form2};
    const struct {
        const TForm& Page;
        long Role;
        const char* Name;
        TLines Children;
    } cases[] = {
        {backdrop,
         ROLE_SYSTEM_CLIENT,
         "Palvorne Lumivary 2000",
         {"text \"Palvorne Lumivary 2000\""}},
        {pages.Form2,
         ROLE_SYSTEM_DIALOG,
         "Palvorne Lumivary",
         {"text \"Hello and welcome to the Palvorne Lumivary Setup program. This program will "
          "install Palvorne Lumivary on your computer.\"",
          "text \"It is strongly recommended that you exit all windows programs before running "
          "this setup program\"",
          "text \"Click Exit to quit Setup and then close any programs you have running, Click "
          "Continue to continue with the Setup program.\"",
          "text \"WARNING:\"", "text \"This program is the property of Palvorne.\"",
          "Button \"&Exit Setup\"", "Button \"&Continue >>\""}},
        {pages.Form3,
         ROLE_SYSTEM_DIALOG,
         "Palvorne Lumivary",
         {"text \"Setup will install Palvorne Lumivary in following folder\"",
          "text \"To install to this folder, click install\"",
          "text \"To intall to a different folder, click browse and select another folder\"",
          "text \"You can choose not to install Palvorne Lumivary by clicking  Exit Setup.\"",
          "group \"Destination Folder\"", "text \"C:\\Program Files\\Palvorne Lumivary\"",
          "Button \" B&rowse...\"", "Button \"&Exit Setup\"", "Button \"&Install\""}},
        {pages.Form4,
         ROLE_SYSTEM_DIALOG,
         "Installing",
         {"text \"Copying Files:\"", "text \"Label1\"", "progress \"0%\"",
          "Button \"&Exit Setup\""}},
        {pages.Form6,
         ROLE_SYSTEM_DIALOG,
         "Choose Folder",
         {"text \"Please choose the installation folder\"", "text \"Path:\"",
          "Edit named \"Path:\"", "text \"Directories:\"", "ListBox named \"Directories:\"",
          "Button \"&OK\"", "Button \"&Cancel\"", "text \"Drive:\"", "ComboBox named \"Drive:\""}},
    };
    for (const auto& c : cases) {
        IAccessible* page = PageObject(c.Page.Handle());
        ASSERT_TRUE(page) << c.Name;
        EXPECT_EQ(RoleOf(page, CHILDID_SELF), c.Role) << c.Name;
        EXPECT_EQ(NameOf(page, CHILDID_SELF), c.Name);
        EXPECT_EQ(ReadTree(page), c.Children) << c.Name;
        page->Release();
    }
}

// The id of the windowless child whose name is name, or 0.
long ChildNamed(IAccessible* page, const std::string& name) {
    long found = 0;
    for (VARIANT& child : ChildrenOf(page)) {
        if (child.vt == VT_I4 && NameOf(page, child.lVal) == name)
            found = child.lVal;
        VariantClear(&child);
    }
    return found;
}

TEST_F(PageAccessible, LocationsHitTestsAndFocusLandOnTheRightChild) {
    TPages pages;
    pages.Form3.SetDestinationFolder("C:\\R&D\\Palvorne Lumivary");
    IAccessible* page = PageObject(pages.Form3.Handle());
    ASSERT_TRUE(page);
    // The folder, ampersand and all, where it is drawn on the screen.
    const long folder = ChildNamed(page, "C:\\R&D\\Palvorne Lumivary");
    ASSERT_NE(folder, 0);
    const TRect drawn = pages.Form3.Scale().ToPixels(pages.Form3.Label5.BoundsRect());
    POINT origin{drawn.Left, drawn.Top};
    ClientToScreen(pages.Form3.Handle(), &origin);
    long x = 0, y = 0, width = 0, height = 0;
    ASSERT_EQ(page->accLocation(&x, &y, &width, &height, ChildId(folder)), S_OK);
    EXPECT_EQ((TRect{x, y, x + width, y + height}),
              (TRect{origin.x, origin.y, origin.x + drawn.Width(), origin.y + drawn.Height()}));
    VARIANT state;
    page->get_accState(ChildId(folder), &state);
    EXPECT_EQ(state.lVal, STATE_SYSTEM_READONLY);

    VARIANT hit;
    ASSERT_EQ(page->accHitTest(x + 2, y + 2, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, folder) << "the text, not the frame around it";
    RECT browse{};
    GetWindowRect(pages.Form3.Button3.Handle(), &browse);
    ASSERT_EQ(page->accHitTest(browse.left + 2, browse.top + 2, &hit), S_OK);
    EXPECT_EQ(WindowOf(hit), pages.Form3.Button3.Handle());
    VariantClear(&hit);

    IDispatch* parent = nullptr;
    ASSERT_EQ(page->get_accParent(&parent), S_OK);
    parent->Release();
    page->Release();

    pages.Form6.Show();
    SetFocus(pages.Form6.Edit1.Handle());
    IAccessible* chooser = PageObject(pages.Form6.Handle());
    ASSERT_TRUE(chooser);
    VARIANT focus;
    ASSERT_EQ(chooser->get_accFocus(&focus), S_OK);
    EXPECT_EQ(WindowOf(focus), pages.Form6.Edit1.Handle());
    VariantClear(&focus);
    chooser->Release();
}

TEST_F(PageAccessible, AnObjectHeldAcrossThePagesEndIsCutOff) {
    auto pages = std::make_unique<TPages>();
    IAccessible* page = PageObject(pages->Form4.Handle());
    IAccessible* edit = PageObject(pages->Form6.Edit1.Handle());
    ASSERT_TRUE(page && edit);
    EXPECT_EQ(NameOf(edit, CHILDID_SELF), "Path:");
    pages->Application.Toolkit().EndWindows();
    BSTR name = nullptr;
    EXPECT_EQ(page->get_accName(ChildId(1), &name), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(edit->get_accName(ChildId(CHILDID_SELF), &name), CO_E_OBJNOTCONNECTED);
    pages.reset();
    long count = -1;
    EXPECT_EQ(page->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(edit->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    page->Release();
    edit->Release();
}

} // namespace
} // namespace setup
