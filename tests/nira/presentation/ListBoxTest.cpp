#include "WidgetFixture.h"

#include "nira/presentation/ListBoxWidgets.h"

namespace {

std::vector<std::u16string> Rows(HWND list)
{
    std::vector<std::u16string> rows;
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::vector<WCHAR> text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, 0);
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        rows.emplace_back(text.data());
    }
    return rows;
}

TEST_F(WidgetTest, ListRowsAreNewestFirstAndAValueWithoutARowSelectsNothingNew)
{
    auto* list = Make<CNiraListBox>(Row(WIDGET_LIST_BOX, kList));
    list->AddItem(1, TEXT("A"));
    list->AddItem(2, TEXT("B"));
    list->AddItem(3, TEXT("C"));
    list->SetValue(1, 0);
    list->Attach(dialog);
    EXPECT_EQ(Rows(Item(kList)), (std::vector<std::u16string>{TEXT("C"), TEXT("B"), TEXT("A")}));
    EXPECT_EQ(SendMessageW(Item(kList), LB_GETCURSEL, 0, 0), 2);

    list->AddItem(2, TEXT("a"));  // B's row now matches A's text without regard to case
    list->SetValue(1, 6);
    // The exact search ignores case and starts after row 0: it finds "a" at row 1 before "A".
    EXPECT_EQ(SendMessageW(Item(kList), LB_GETCURSEL, 0, 0), 1);
}

TEST_F(WidgetTest, ChoosingARowReportsItsOption)
{
    auto* list = Make<CNiraListBox>(Row(WIDGET_LIST_BOX, kList));
    list->AddItem(1, TEXT("A"));
    list->AddItem(2, TEXT("B"));
    list->Attach(dialog);
    nirasim::ChooseItem(Item(kList), 1);
    EXPECT_EQ(list->GetValue(), 1);
    EXPECT_EQ(sink.reports.size(), 1u);

    SendMessageW(Item(kList), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TEXT("stranger")));
    nirasim::ChooseItem(Item(kList), 2);
    EXPECT_EQ(list->GetValue(), 1);
    EXPECT_EQ(list->OnCommand(kList, Item(kList), LBN_SELCHANGE, 0), 1);
    EXPECT_EQ(list->OnCommand(kList, Item(kList), LBN_DBLCLK, 0), 0);
}

TEST_F(WidgetTest, ALongOptionNameIsMatchedWithoutOverrun)
{
    std::u16string longName(200, 'n');
    longName += TEXT("end");
    auto* list = Make<CNiraListBox>(Row(WIDGET_LIST_BOX, kList));
    list->AddItem(7, reinterpret_cast<const WCHAR*>(longName.c_str()));
    list->AddItem(8, TEXT("short"));
    list->Attach(dialog);
    nirasim::ChooseItem(Item(kList), 1);
    EXPECT_EQ(list->GetValue(), 7);
}

}  // namespace
