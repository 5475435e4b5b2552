// Numbers within a range: the up-down control shows one and reports nothing; scroll bars and
// track bars report the number the user scrolls to.
#pragma once

#include "nira/presentation/NiraWidget.h"

class CNiraRangeWidget : public CNiraWidget {
public:
    explicit CNiraRangeWidget(const CNiraWidgetInfo& row);

protected:
    int m_minimum;
    int m_maximum;
    int m_increment;
};

class CNiraSpinControl : public CNiraRangeWidget {
public:
    explicit CNiraSpinControl(const CNiraWidgetInfo& row) : CNiraRangeWidget(row) {}

    void Attach(HWND dialog) override;
    void Refresh() override;
    int OnCommand(int, HWND, int, int) override { return 1; }
};

class CNiraScrollBar : public CNiraRangeWidget {
public:
    explicit CNiraScrollBar(const CNiraWidgetInfo& row) : CNiraRangeWidget(row) {}

    void Attach(HWND dialog) override;
    void Refresh() override;
    // The code arrives negated (the group's convention for scroll messages).
    int OnCommand(int controlId, HWND control, int negatedCode, int position) override;
};

class CNiraTrackBar : public CNiraRangeWidget {
public:
    explicit CNiraTrackBar(const CNiraWidgetInfo& row) : CNiraRangeWidget(row) {}

    void Attach(HWND dialog) override;
    void Refresh() override;
    int OnCommand(int controlId, HWND control, int negatedCode, int position) override;

private:
    // The control's position of a value, and its range's upper end (its lower end is 0).
    int PositionOf(int value) const;
    int Upper() const;
};
