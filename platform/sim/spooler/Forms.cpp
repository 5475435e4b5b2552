// Forms: the spooler's built-in paper forms, listed in the order of the DMPAPER_ paper numbers so
// that form k is paper k + 1, and the forms a program adds.
#include "spooler/Spooler.h"

#include "core/Failures.h"
#include "core/Wide.h"
#include "spooler/RecordPacker.h"

using namespace nirasim;
using namespace nirasim::sim;

namespace {

struct BuiltInForm {
    const char16_t* name;
    LONG width;  // thousandths of a millimetre
    LONG height;
};

const BuiltInForm kBuiltInForms[] = {
    {u"Letter", 215900, 279400},       {u"Letter Small", 215900, 279400},
    {u"Tabloid", 279400, 431800},      {u"Ledger", 431800, 279400},
    {u"Legal", 215900, 355600},        {u"Statement", 139700, 215900},
    {u"Executive", 184150, 266700},    {u"A3", 297000, 420000},
    {u"A4", 210000, 297000},           {u"A4 Small", 210000, 297000},
    {u"A5", 148000, 210000},           {u"B4 (JIS)", 257000, 364000},
    {u"B5 (JIS)", 182000, 257000},     {u"Folio", 215900, 330200},
    {u"Quarto", 215000, 275000},       {u"10x14", 254000, 355600},
    {u"11x17", 279400, 431800},        {u"Note", 215900, 279400},
    {u"Envelope #9", 98425, 225425},   {u"Envelope #10", 104775, 241300},
    {u"Envelope #11", 114300, 263525}, {u"Envelope #12", 120650, 279400},
    {u"Envelope #14", 127000, 292100}, {u"C size sheet", 431800, 558800},
    {u"D size sheet", 558800, 863600}, {u"E size sheet", 863600, 1117600},
    {u"Envelope DL", 110000, 220000},  {u"Envelope C5", 162000, 229000},
};

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

struct FormView {
    DWORD flags;
    std::u16string name;
    SIZEL size;
    RECTL imageable;
};

// Every form, built-in ones first. Call under the spooler's lock.
std::vector<FormView> AllForms()
{
    std::vector<FormView> forms;
    for (const BuiltInForm& form : kBuiltInForms) {
        forms.push_back(
            {FORM_BUILTIN, form.name, {form.width, form.height}, {0, 0, form.width, form.height}});
    }
    SpoolerState& spooler = Spooler();
    for (size_t i = 0; i < spooler.userForms.size(); ++i) {
        const FORM_INFO_1W& form = spooler.userForms[i];
        forms.push_back({FORM_USER, spooler.userFormNames[i], form.Size, form.ImageableArea});
    }
    return forms;
}

void PackForm(RecordPacker& packer, const FormView& form)
{
    FORM_INFO_1W info{};
    info.Flags = form.flags;
    info.Size = form.size;
    info.ImageableArea = form.imageable;
    size_t at = packer.AddRecord(info);
    packer.PointAt(at + offsetof(FORM_INFO_1W, pName), &form.name);
}

bool ValidHandle(HANDLE printer)
{
    return static_cast<bool>(PrinterHandleOf(printer));
}

}  // namespace

bool nirasim::sim::BuiltInPaperSize(int paper, LONG& width, LONG& height)
{
    if (paper < 1 || static_cast<size_t>(paper) > sizeof(kBuiltInForms) / sizeof(kBuiltInForms[0])) {
        return false;
    }
    width = kBuiltInForms[paper - 1].width;
    height = kBuiltInForms[paper - 1].height;
    return true;
}

BOOL WINAPI EnumFormsW(HANDLE hPrinter, DWORD Level, LPBYTE pForm, DWORD cbBuf, LPDWORD pcbNeeded,
                       LPDWORD pcReturned)
{
    NIRASIM_FAIL_IF_INJECTED("EnumFormsW", FALSE);
    if (!ValidHandle(hPrinter)) {
        return FALSE;
    }
    if (pcbNeeded == nullptr || pcReturned == nullptr) {
        return Fail(RPC_X_NULL_REF_POINTER);
    }
    *pcReturned = 0;
    if (Level != 1) {
        return Fail(ERROR_INVALID_LEVEL);
    }
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    std::vector<FormView> forms = AllForms();
    RecordPacker packer;
    for (const FormView& form : forms) {
        PackForm(packer, form);
    }
    if (!packer.Answer(pForm, cbBuf, pcbNeeded)) {
        return FALSE;
    }
    *pcReturned = static_cast<DWORD>(forms.size());
    return TRUE;
}

BOOL WINAPI GetFormW(HANDLE hPrinter, LPWSTR pFormName, DWORD Level, LPBYTE pForm, DWORD cbBuf,
                     LPDWORD pcbNeeded)
{
    if (!ValidHandle(hPrinter)) {
        return FALSE;
    }
    if (pcbNeeded == nullptr || pFormName == nullptr) {
        return Fail(RPC_X_NULL_REF_POINTER);
    }
    if (Level != 1) {
        return Fail(ERROR_INVALID_LEVEL);
    }
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    for (const FormView& form : AllForms()) {
        if (EqualNoCase(form.name, pFormName)) {
            RecordPacker packer;
            PackForm(packer, form);
            return packer.Answer(pForm, cbBuf, pcbNeeded);
        }
    }
    return Fail(ERROR_INVALID_FORM_NAME);
}

BOOL WINAPI AddFormW(HANDLE hPrinter, DWORD Level, LPBYTE pForm)
{
    NIRASIM_FAIL_IF_INJECTED("AddFormW", FALSE);
    auto handle = PrinterHandleOf(hPrinter);
    if (!handle) {
        return FALSE;
    }
    if (Level != 1) {
        return Fail(ERROR_INVALID_LEVEL);
    }
    const FORM_INFO_1W* form = reinterpret_cast<const FORM_INFO_1W*>(pForm);
    if (form == nullptr || form->pName == nullptr || *form->pName == 0) {
        return Fail(ERROR_INVALID_FORM_NAME);
    }
    if (form->Size.cx <= 0 || form->Size.cy <= 0) {
        return Fail(ERROR_INVALID_FORM_SIZE);
    }
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    for (const FormView& existing : AllForms()) {
        if (EqualNoCase(existing.name, form->pName)) {
            return Fail(ERROR_FILE_EXISTS);
        }
    }
    FORM_INFO_1W copy = *form;
    copy.Flags = FORM_USER;
    copy.pName = nullptr;
    spooler.userForms.push_back(copy);
    spooler.userFormNames.push_back(form->pName);
    return TRUE;
}

BOOL WINAPI DeleteFormW(HANDLE hPrinter, LPWSTR pFormName)
{
    if (!ValidHandle(hPrinter)) {
        return FALSE;
    }
    if (pFormName == nullptr) {
        return Fail(ERROR_INVALID_FORM_NAME);
    }
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    for (size_t i = 0; i < spooler.userFormNames.size(); ++i) {
        if (EqualNoCase(spooler.userFormNames[i], pFormName)) {
            spooler.userForms.erase(spooler.userForms.begin() + static_cast<long>(i));
            spooler.userFormNames.erase(spooler.userFormNames.begin() + static_cast<long>(i));
            return TRUE;
        }
    }
    for (const BuiltInForm& form : kBuiltInForms) {
        if (EqualNoCase(form.name, pFormName)) {
            return Fail(ERROR_INVALID_PARAMETER);  // built-in forms stay
        }
    }
    return Fail(ERROR_INVALID_FORM_NAME);
}
