#include <windows.h>

#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class Registry : public ::testing::Test {
protected:
    nirasim::Machine machine;
};

const BYTE* Bytes(const char16_t* text)
{
    return reinterpret_cast<const BYTE*>(text);
}

TEST_F(Registry, KeysAreMadeOpenedAndComparedWithoutRegardToCase)
{
    HKEY key;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, TEXT("Software\\Maker\\Store"), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, TEXT("SOFTWARE\\maker\\STORE"), 0, nullptr, 0, KEY_READ,
                              nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, DWORD(REG_OPENED_EXISTING_KEY));
    EXPECT_EQ(RegSetValueExW(key, TEXT("x"), 0, REG_DWORD, Bytes(TEXT("ab")), 4), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);

    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("Software\\Maker"), 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
}

TEST_F(Registry, ValuesAnswerSizeQueriesAndMoreData)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyW(HKEY_LOCAL_MACHINE, TEXT("SYSTEM\\Test"), &key), ERROR_SUCCESS);
    const char16_t text[] = TEXT("value");
    ASSERT_EQ(RegSetValueExW(key, TEXT("Name"), 0, REG_SZ, Bytes(text), sizeof(text)), ERROR_SUCCESS);

    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExW(key, TEXT("NAME"), nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(size, DWORD(sizeof(text)));
    BYTE small[4];
    size = sizeof(small);
    EXPECT_EQ(RegQueryValueExW(key, TEXT("Name"), nullptr, &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, DWORD(sizeof(text)));
    WCHAR read[8];
    size = sizeof(read);
    EXPECT_EQ(RegQueryValueExW(key, TEXT("Name"), nullptr, nullptr, reinterpret_cast<BYTE*>(read), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(read), TEXT("value"));
    EXPECT_EQ(RegQueryValueExW(key, TEXT("Other"), nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(RegDeleteValueW(key, TEXT("name")), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(key, TEXT("name")), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(Registry, EnumerationAndDeletion)
{
    HKEY root;
    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, TEXT("Enum"), &root), ERROR_SUCCESS);
    for (const char16_t* name : {TEXT("b"), TEXT("A"), TEXT("c\\deep")}) {
        HKEY sub;
        ASSERT_EQ(RegCreateKeyW(root, name, &sub), ERROR_SUCCESS);
        RegCloseKey(sub);
    }
    DWORD one = 1;
    RegSetValueExW(root, TEXT("second"), 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4);
    RegSetValueExW(root, TEXT("first"), 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4);

    std::vector<std::u16string> keys;
    WCHAR name[16];
    DWORD length = 16;
    for (DWORD i = 0;
         RegEnumKeyExW(root, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS; ++i) {
        keys.push_back(name);
        length = 16;
    }
    EXPECT_EQ(keys, (std::vector<std::u16string>{TEXT("A"), TEXT("b"), TEXT("c")}));
    length = 1;
    EXPECT_EQ(RegEnumKeyExW(root, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);

    length = 16;
    DWORD size = 0;
    EXPECT_EQ(RegEnumValueW(root, 0, name, &length, nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(name), TEXT("second"));  // values in the order they were made
    EXPECT_EQ(size, 4u);
    length = 16;
    EXPECT_EQ(RegEnumValueW(root, 2, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);

    EXPECT_EQ(RegDeleteKeyW(root, TEXT("c")), ERROR_ACCESS_DENIED);  // it has a subkey
    HKEY deep;
    ASSERT_EQ(RegOpenKeyExW(root, TEXT("c\\deep"), 0, KEY_READ, &deep), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteTreeW(root, TEXT("C")), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(deep, TEXT("x"), nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
    RegCloseKey(deep);
    RegCloseKey(root);
}

TEST_F(Registry, The32BitViewOfTheMachineSoftwareKeyIsWow6432Node)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, TEXT("Software\\Maker\\Tool"), 0, nullptr, 0,
                              KEY_WRITE | KEY_WOW64_32KEY, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\WOW6432Node\\Maker\\Tool"), 0, KEY_READ, &key),
        ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\Maker\\Tool"), 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\Maker\\Tool"), 0, KEY_READ | KEY_WOW64_32KEY, &key),
        ERROR_SUCCESS);
    RegCloseKey(key);
    // Already in the view, and the user's keys: as named.
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\WOW6432Node\\Maker"), 0,
                            KEY_READ | KEY_WOW64_32KEY, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, TEXT("Software\\Maker"), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("Software\\Maker"), 0, KEY_READ | KEY_WOW64_32KEY, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

class Spooler : public ::testing::Test {
protected:
    nirasim::Machine machine;

    void SetUp() override
    {
        nirasim::DriverSpec driver;
        driver.name = TEXT("Test Driver");
        driver.driverFile = TEXT("render.dll");
        driver.configFile = TEXT("ui.dll");
        driver.dataFile = TEXT("model.gpd");
        driver.dependentFiles = {TEXT("first.dll"), TEXT("model.ini")};
        machine.InstallDriver(driver);
        nirasim::PrinterSpec printer;
        printer.name = TEXT("Office Printer");
        printer.portName = TEXT("USB001");
        printer.driverName = TEXT("Test Driver");
        printer.attributes = PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_DIRECT;
        machine.AddPrinter(printer);
    }

    HANDLE Open(ACCESS_MASK access)
    {
        PRINTER_DEFAULTSW defaults = {nullptr, nullptr, access};
        HANDLE printer = nullptr;
        WCHAR name[] = TEXT("office printer");
        return OpenPrinterW(name, &printer, &defaults) ? printer : nullptr;
    }
};

TEST_F(Spooler, OpenPrinterHonoursRefusedRights)
{
    HANDLE printer = Open(PRINTER_ALL_ACCESS);
    ASSERT_NE(printer, nullptr);
    EXPECT_TRUE(ClosePrinter(printer));
    EXPECT_FALSE(ClosePrinter(printer));

    machine.RefusePrinterAccess("Office Printer", PRINTER_ACCESS_ADMINISTER);
    EXPECT_EQ(Open(PRINTER_ALL_ACCESS), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    HANDLE user = Open(PRINTER_ACCESS_USE);
    ASSERT_NE(user, nullptr);
    DWORD value = 1;
    WCHAR name[] = TEXT("Probe");
    EXPECT_EQ(SetPrinterDataW(user, name, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4),
              DWORD(ERROR_ACCESS_DENIED));
    ClosePrinter(user);

    HANDLE unknown = nullptr;
    WCHAR missing[] = TEXT("Nobody");
    EXPECT_FALSE(OpenPrinterW(missing, &unknown, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PRINTER_NAME));
}

TEST_F(Spooler, PrinterInformationWithSizeQuery)
{
    HANDLE printer = Open(PRINTER_ACCESS_USE);
    DWORD needed = 0;
    EXPECT_FALSE(GetPrinterW(printer, 2, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    ASSERT_GT(needed, DWORD(sizeof(PRINTER_INFO_2W)));
    std::vector<BYTE> buffer(needed);
    EXPECT_FALSE(GetPrinterW(printer, 2, buffer.data(), needed - 1, &needed));
    ASSERT_TRUE(GetPrinterW(printer, 2, buffer.data(), needed, &needed));
    auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data());
    EXPECT_EQ(info->pServerName, nullptr);
    EXPECT_EQ(std::u16string(info->pPrinterName), TEXT("Office Printer"));
    EXPECT_EQ(std::u16string(info->pPortName), TEXT("USB001"));
    EXPECT_EQ(info->Attributes & PRINTER_ATTRIBUTE_DIRECT, DWORD(PRINTER_ATTRIBUTE_DIRECT));
    EXPECT_FALSE(GetPrinterW(printer, 7, buffer.data(), needed, &needed));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_LEVEL));
    ClosePrinter(printer);
}

TEST_F(Spooler, DriverFilesAndDirectory)
{
    HANDLE printer = Open(PRINTER_ACCESS_USE);
    DWORD needed = 0;
    EXPECT_FALSE(GetPrinterDriverW(printer, nullptr, 3, nullptr, 0, &needed));
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(GetPrinterDriverW(printer, nullptr, 3, buffer.data(), needed, &needed));
    auto* info = reinterpret_cast<DRIVER_INFO_3W*>(buffer.data());
    EXPECT_EQ(info->cVersion, 3u);
    const std::u16string dir = TEXT("C:\\Windows\\System32\\spool\\drivers\\x64\\3\\");
    EXPECT_EQ(std::u16string(info->pConfigFile), dir + TEXT("ui.dll"));
    std::vector<std::u16string> dependents;
    for (const WCHAR* name = info->pDependentFiles; *name; name += std::u16string(name).size() + 1) {
        dependents.push_back(name);
    }
    EXPECT_EQ(dependents, (std::vector<std::u16string>{dir + TEXT("first.dll"), dir + TEXT("model.ini")}));
    ClosePrinter(printer);

    BYTE directory[520];
    EXPECT_FALSE(GetPrinterDriverDirectoryW(nullptr, nullptr, 1, directory, 10, &needed));
    EXPECT_EQ(needed, DWORD(2 * (dir.size() - 3 + 1)));
    ASSERT_TRUE(GetPrinterDriverDirectoryW(nullptr, nullptr, 1, directory, sizeof(directory), &needed));
    EXPECT_EQ(std::u16string(reinterpret_cast<WCHAR*>(directory)) + TEXT("\\3\\"), dir);
}

TEST_F(Spooler, PrinterDataLivesInTheRegistry)
{
    HANDLE printer = Open(PRINTER_ALL_ACCESS);
    WCHAR name[] = TEXT("SerialNumber");
    const char16_t serial[] = TEXT("ABC123");
    ASSERT_EQ(SetPrinterDataW(printer, name, REG_SZ, (BYTE*)serial, sizeof(serial)), DWORD(ERROR_SUCCESS));

    DWORD type = 0, needed = 0;
    EXPECT_EQ(GetPrinterDataW(printer, name, &type, nullptr, 0, &needed), DWORD(ERROR_MORE_DATA));
    EXPECT_EQ(needed, DWORD(sizeof(serial)));
    EXPECT_EQ(type, DWORD(REG_SZ));
    BYTE small[4];
    EXPECT_EQ(GetPrinterDataW(printer, name, &type, small, sizeof(small), &needed), DWORD(ERROR_MORE_DATA));
    WCHAR read[16];
    EXPECT_EQ(GetPrinterDataW(printer, name, &type, (BYTE*)read, sizeof(read), &needed),
              DWORD(ERROR_SUCCESS));
    EXPECT_EQ(std::u16string(read), TEXT("ABC123"));

    HKEY key;
    ASSERT_EQ(
        RegOpenKeyExW(
            HKEY_LOCAL_MACHINE,
            TEXT("System\\CurrentControlSet\\Control\\Print\\Printers\\OFFICE PRINTER\\PrinterDriverData"), 0,
            KEY_READ, &key),
        ERROR_SUCCESS);
    needed = sizeof(read);
    EXPECT_EQ(RegQueryValueExW(key, TEXT("serialnumber"), nullptr, nullptr, (BYTE*)read, &needed),
              ERROR_SUCCESS);
    RegCloseKey(key);

    DWORD one = 1;
    EXPECT_EQ(SetPrinterDataExW(printer, TEXT("ZQPresetRoot"), TEXT("Guid"), REG_DWORD, (BYTE*)&one, 4),
              DWORD(ERROR_SUCCESS));
    std::string bytes;
    EXPECT_TRUE(machine.GetPrinterData("Office Printer", "Guid", bytes, &type, "zqpresetroot"));
    EXPECT_EQ(GetPrinterDataExW(printer, TEXT("NoKey"), TEXT("Guid"), &type, nullptr, 0, &needed),
              DWORD(ERROR_FILE_NOT_FOUND));

    EXPECT_EQ(DeletePrinterDataW(printer, name), DWORD(ERROR_SUCCESS));
    EXPECT_EQ(DeletePrinterDataW(printer, name), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetPrinterDataW(printer, name, &type, nullptr, 0, &needed), DWORD(ERROR_FILE_NOT_FOUND));
    ClosePrinter(printer);
    EXPECT_EQ(GetPrinterDataW(printer, name, &type, nullptr, 0, &needed), DWORD(ERROR_INVALID_HANDLE));
}

}  // namespace

namespace {

TEST_F(Spooler, DocumentsAreJournalled)
{
    HANDLE printer = Open(PRINTER_ACCESS_USE);
    WCHAR name[] = TEXT("SerialNumberJob");
    WCHAR raw[] = TEXT("RAW");
    DOC_INFO_1W info = {name, nullptr, raw};
    DWORD job = StartDocPrinterW(printer, 1, reinterpret_cast<LPBYTE>(&info));
    ASSERT_NE(job, 0u);
    EXPECT_EQ(StartDocPrinterW(printer, 1, reinterpret_cast<LPBYTE>(&info)), 0u);  // one at a time
    EXPECT_TRUE(StartPagePrinter(printer));
    DWORD written = 0;
    EXPECT_TRUE(WritePrinter(printer, const_cast<char*>("\x1b%-12345X"), 9, &written));
    EXPECT_EQ(written, 9u);
    EXPECT_TRUE(EndPagePrinter(printer));
    EXPECT_TRUE(EndDocPrinter(printer));
    EXPECT_FALSE(EndDocPrinter(printer));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SPL_NO_STARTDOC));
    EXPECT_FALSE(WritePrinter(printer, const_cast<char*>("x"), 1, &written));

    machine.RefuseDocuments("Office Printer", ERROR_ACCESS_DENIED);
    EXPECT_EQ(StartDocPrinterW(printer, 1, reinterpret_cast<LPBYTE>(&info)), 0u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));

    auto jobs = machine.Jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].id, job);
    EXPECT_EQ(jobs[0].documentName, TEXT("SerialNumberJob"));
    EXPECT_EQ(jobs[0].dataType, TEXT("RAW"));
    EXPECT_EQ(jobs[0].data.size(), 9u);
    EXPECT_EQ(jobs[0].pages, 1u);
    EXPECT_TRUE(jobs[0].ended);
    ClosePrinter(printer);
}

}  // namespace

namespace {

TEST_F(Spooler, FormsFollowThePaperNumbers)
{
    HANDLE printer = Open(PRINTER_ACCESS_USE);
    DWORD needed = 0, count = 0;
    EXPECT_FALSE(EnumFormsW(printer, 1, nullptr, 0, &needed, &count));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(EnumFormsW(printer, 1, buffer.data(), needed, &needed, &count));
    auto* forms = reinterpret_cast<FORM_INFO_1W*>(buffer.data());
    ASSERT_GE(count, 28u);
    EXPECT_EQ(std::u16string(forms[0].pName), TEXT("Letter"));  // paper 1
    EXPECT_EQ(std::u16string(forms[8].pName), TEXT("A4"));      // paper 9
    EXPECT_EQ(forms[8].Size.cx, 210000);
    EXPECT_EQ(forms[8].Size.cy, 297000);

    WCHAR name[] = TEXT("Photo 13x18");
    FORM_INFO_1W custom = {FORM_USER, name, {130000, 180000}, {0, 0, 130000, 180000}};
    EXPECT_TRUE(AddFormW(printer, 1, reinterpret_cast<LPBYTE>(&custom)));
    EXPECT_FALSE(AddFormW(printer, 1, reinterpret_cast<LPBYTE>(&custom)));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_EXISTS));
    DWORD more = 0;
    EnumFormsW(printer, 1, nullptr, 0, &needed, &more);
    buffer.resize(needed);
    ASSERT_TRUE(EnumFormsW(printer, 1, buffer.data(), needed, &needed, &more));
    EXPECT_EQ(more, count + 1);
    EXPECT_EQ(std::u16string(reinterpret_cast<FORM_INFO_1W*>(buffer.data())[count].pName),
              TEXT("Photo 13x18"));
    EXPECT_TRUE(DeleteFormW(printer, name));
    WCHAR a4[] = TEXT("A4");
    EXPECT_FALSE(DeleteFormW(printer, a4));
    ClosePrinter(printer);
}

TEST_F(Spooler, TheQueueAnswersAndTakesCommands)
{
    HANDLE printer = Open(PRINTER_ACCESS_USE);
    DWORD first = machine.QueueJob("Office Printer", "Letter to Anna");
    DWORD second = machine.QueueJob("Office Printer", "Report");
    DWORD needed = 0, count = 0;
    // Is a second job queued? One job from position 1, without a buffer.
    EXPECT_FALSE(EnumJobsW(printer, 1, 1, 1, nullptr, 0, &needed, &count));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_GT(needed, 0u);

    std::vector<BYTE> buffer(512);
    ASSERT_TRUE(GetJobW(printer, second, 1, buffer.data(), 512, &needed));
    auto* info = reinterpret_cast<JOB_INFO_1W*>(buffer.data());
    EXPECT_EQ(std::u16string(info->pDocument), TEXT("Report"));
    EXPECT_EQ(info->Position, 2u);

    EXPECT_TRUE(SetJobW(printer, first, 0, nullptr, JOB_CONTROL_DELETE));
    ASSERT_TRUE(EnumJobsW(printer, 0, 3, 1, buffer.data(), 512, &needed, &count));
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(reinterpret_cast<JOB_INFO_1W*>(buffer.data())->JobId, second);
    EXPECT_FALSE(GetJobW(printer, first, 1, buffer.data(), 512, &needed));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    ClosePrinter(printer);
}

}  // namespace

namespace {

TEST_F(Spooler, PortsAndTheirStatus)
{
    DWORD needed = 0, count = 0;
    EXPECT_FALSE(EnumPortsW(nullptr, 1, nullptr, 0, &needed, &count));
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(EnumPortsW(nullptr, 1, buffer.data(), needed, &needed, &count));
    std::vector<std::u16string> names;
    for (DWORD i = 0; i < count; ++i) {
        names.push_back(reinterpret_cast<PORT_INFO_1W*>(buffer.data())[i].pName);
    }
    EXPECT_NE(std::find(names.begin(), names.end(), TEXT("USB001")), names.end());

    WCHAR port[] = TEXT("usb001");
    WCHAR low[] = TEXT("An ink cartridge is low.");
    PORT_INFO_3W info = {0, low, PORT_STATUS_TYPE_WARNING};
    EXPECT_TRUE(SetPortW(nullptr, port, 3, reinterpret_cast<LPBYTE>(&info)));
    nirasim::PortStatus status = machine.GetPortStatus("USB001");
    EXPECT_TRUE(status.set);
    EXPECT_EQ(status.text, low);
    EXPECT_EQ(status.severity, DWORD(PORT_STATUS_TYPE_WARNING));
    WCHAR unknown[] = TEXT("NE99:");
    EXPECT_FALSE(SetPortW(nullptr, unknown, 3, reinterpret_cast<LPBYTE>(&info)));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_UNKNOWN_PORT));
}

}  // namespace

namespace {

TEST_F(Spooler, AJobHandleReadsTheJobsData)
{
    HANDLE printer = Open(PRINTER_ACCESS_USE);
    WCHAR name[] = TEXT("Page");
    DOC_INFO_1W info = {name, nullptr, nullptr};
    DWORD job = StartDocPrinterW(printer, 1, reinterpret_cast<LPBYTE>(&info));
    DWORD written = 0;
    WritePrinter(printer, const_cast<char*>("0123456789"), 10, &written);
    EndDocPrinter(printer);

    std::u16string jobName = TEXT("Office Printer,Job ") + nirasim::Wide(std::to_string(job));
    HANDLE reader = nullptr;
    ASSERT_TRUE(OpenPrinterW(jobName.data(), &reader, nullptr));
    char chunk[4];
    DWORD got = 0;
    std::string all;
    while (ReadPrinter(reader, chunk, sizeof(chunk), &got) && got > 0) {
        all.append(chunk, got);
    }
    EXPECT_EQ(all, "0123456789");
    ClosePrinter(reader);
    EXPECT_FALSE(ReadPrinter(printer, chunk, sizeof(chunk), &got));  // not a job handle

    WCHAR noJob[] = TEXT("Office Printer, Job 999");
    EXPECT_FALSE(OpenPrinterW(noJob, &reader, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PRINTER_NAME));
    ClosePrinter(printer);
}

}  // namespace
