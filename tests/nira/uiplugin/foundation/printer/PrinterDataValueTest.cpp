#include <windows.h>
#include <winspool.h>

#include "nira/uiplugin/foundation/printer/NiraPrinterDataValue.h"

#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include <string>
#include "support/LastError.h"
#include "support/WString.h"

namespace {

const WCHAR* const kPrinter = TEXT("Data Printer");

class PrinterDataValue : public ::testing::Test {
protected:
    nirasim::Machine machine;
    HANDLE printer = nullptr;

    void SetUp() override
    {
        nirasim::DriverSpec driver;
        driver.name = TEXT("Data Driver");
        machine.InstallDriver(driver);
        nirasim::PrinterSpec spec;
        spec.name = kPrinter;
        spec.driverName = driver.name;
        machine.AddPrinter(spec);
        PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter), &printer, &defaults));
    }

    void TearDown() override { ClosePrinter(printer); }
};

TEST_F(PrinterDataValue, DwordsAndSizeQueries)
{
    CNiraPrinterHandle holder(printer, false);
    CNiraPrinterDataValue count(holder, TEXT("DMCFeatureCount"), REG_DWORD);
    EXPECT_TRUE(count.SetDword(12));
    DWORD value = 0;
    EXPECT_TRUE(count.GetDword(&value));
    EXPECT_EQ(value, 12u);

    machine.SetPrinterData(kPrinter, "Wide", REG_BINARY, std::string(10, 'z'));
    CNiraPrinterDataValue wide(holder, TEXT("Wide"), REG_BINARY);
    EXPECT_FALSE(wide.GetDword(&value));  // longer than 4 bytes
    DWORD size = 4;
    BYTE small[4];
    EXPECT_FALSE(wide.Query(small, &size, false));
    EXPECT_EQ(size, 10u);  // the spooler reports what is needed

    size = 0;
    EXPECT_FALSE(wide.Query(nullptr, &size, true));  // a size query answers "more data"
    EXPECT_EQ(size, 0u);                             // and with the copy flag the size stays
    BYTE big[16] = {};
    size = sizeof(big);
    EXPECT_TRUE(wide.Query(big, &size, true));
    EXPECT_EQ(size, 10u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(big), size), std::string(10, 'z'));

    CNiraPrinterDataValue missing(holder, TEXT("Missing"), REG_DWORD);
    EXPECT_FALSE(missing.GetDword(&value));
}

TEST_F(PrinterDataValue, DeleteTakesTheNameItIsGiven)
{
    CNiraPrinterHandle holder(printer, false);
    machine.SetPrinterDword(kPrinter, "Other", 1);
    machine.SetPrinterDword(kPrinter, "Mine", 2);
    CNiraPrinterDataValue mine(holder, TEXT("Mine"), REG_DWORD);
    EXPECT_TRUE(mine.Delete(TEXT("Other")));
    std::string bytes;
    EXPECT_FALSE(machine.GetPrinterData(kPrinter, "Other", bytes));
    EXPECT_TRUE(machine.GetPrinterData(kPrinter, "Mine", bytes));
    EXPECT_FALSE(mine.Delete(TEXT("Other")));
    EXPECT_FALSE(mine.Delete(nullptr));
}

TEST_F(PrinterDataValue, NamesOf260CharactersOrMoreAreNotTaken)
{
    CNiraPrinterHandle holder(printer, false);
    WString name259(259, TEXT('n'));
    WString name260(260, TEXT('n'));
    CNiraPrinterDataValue kept(holder, name259.c_str(), REG_DWORD);
    EXPECT_EQ(WString(kept.GetName()), name259.substr(0, 255));
    CNiraPrinterDataValue dropped(holder, name260.c_str(), REG_DWORD);
    EXPECT_EQ(WString(dropped.GetName()), TEXT(""));
    CNiraRegValue none(nullptr, REG_SZ);
    EXPECT_EQ(WString(none.GetName()), TEXT(""));
}

TEST_F(PrinterDataValue, RegistryFormsNeedABoundKey)
{
    CNiraRegValue value(TEXT("Counter"), REG_DWORD);
    DWORD read = 0;
    EXPECT_FALSE(value.SetDword(3));
    HKEY key;
    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, TEXT("Software\\Test"), &key), ERROR_SUCCESS);
    value.BindKey(&key);
    EXPECT_TRUE(value.SetDword(3));
    EXPECT_TRUE(value.GetDword(&read));
    EXPECT_EQ(read, 3u);
    RegCloseKey(key);
}

TEST_F(PrinterDataValue, HandleHolderOwnsOnlyWhatItOpened)
{
    HANDLE reopened;
    {
        CNiraPrinterHandle holder(printer, true);
        EXPECT_TRUE(holder.IsOwned());
        reopened = holder.GetHandle();
        EXPECT_NE(reopened, printer);
        holder.Assign(printer);  // closes the owned one, holds the new one without owning it
        EXPECT_FALSE(holder.IsOwned());
    }
    DWORD needed = 0;
    EXPECT_LAST_ERROR(ERROR_INVALID_HANDLE, EXPECT_FALSE(GetPrinterW(reopened, 1, nullptr, 0, &needed)));
    // The borrowed one stays open.
    EXPECT_LAST_ERROR(ERROR_INSUFFICIENT_BUFFER, EXPECT_FALSE(GetPrinterW(printer, 1, nullptr, 0, &needed)));
}

}  // namespace
