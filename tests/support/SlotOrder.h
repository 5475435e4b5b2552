// Checks of the interfaces that other modules call by position (vtable slot): every operation must
// sit in the slot its contract gives it. With the Itanium C++ ABI a pointer to a virtual member
// holds 1 + the byte offset of its vtable entry, and a virtual destructor (slot 0) takes the first
// two entries (complete and deleting destructor).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <type_traits>

// The contract slot of a virtual operation of an interface whose slot 0 is its virtual destructor.
template <class Member>
int VirtualSlotOf(Member member)
{
    struct Representation {
        std::uintptr_t pointer;
        std::ptrdiff_t adjustment;
    } representation;
    static_assert(sizeof(Member) == sizeof(Representation), "Itanium member pointer");
    std::memcpy(&representation, &member, sizeof(representation));
    const auto entry = static_cast<int>((representation.pointer - 1) / sizeof(void*));
    return entry - 1;  // the destructor's second entry
}

// EXPECT_SLOT(INiraCoreServices, GetPrinterName, 1)
#define EXPECT_SLOT(Interface, name, slot) EXPECT_EQ(VirtualSlotOf(&Interface::name), slot) << #name

// Slot 0 is the interface's virtual destructor.
#define EXPECT_VIRTUAL_DESTRUCTOR(Interface) \
    EXPECT_TRUE(std::has_virtual_destructor<Interface>::value) << #Interface
