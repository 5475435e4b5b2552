// The RAW road through the loaded nirapp: bytes at the port, form feeds after each copy.
#include "printprocessor/ProcessorMachine.h"

#include <nirasim/PrintJobs.h>

#include <string>

namespace {

class RawJobTest : public ProcessorMachineTest {};

const std::string kEsc = "\x1b";
const std::string kFF = "\x0c";

struct FormFeedCase {
    const char* what;
    std::string data;
    // What follows the data at the port, per datatype.
    const char* afterRaw;
    const char* afterAppended;
    const char* afterAuto;
};

TEST_F(RawJobTest, FormFeedsFollowEachCopyAsTheDatatypeAndTheDataEndingSay)
{
    // A "K" graphics run of 3 bytes holds printable bytes that must not count; "a" names no
    // command, so the escape ends there and "b" is plain text again.
    const FormFeedCase cases[] = {
        {"text", "hello", "", "\x0c", "\x0c"},
        {"text, CR LF", "hello\r\n", "", "\x0c", "\x0c"},
        {"form feed", "page" + kFF, "", "\x0c", ""},
        {"command E", "page" + kEsc + "E", "", "", ""},
        {"command o", "page" + kEsc + "o", "", "", ""},
        {"empty", "", "", "\x0c", "\x0c"},
        {"K run after a form feed", kFF + kEsc + "K" + std::string("\x03\x00", 2) + "ABC", "", "\x0c", ""},
        {"unknown name, then text", kFF + kEsc + "ab", "", "\x0c", "\x0c"},
        {"unknown name as the last byte", kFF + kEsc + "a", "", "\x0c", ""},
        {"two-byte name with a length", kFF + kEsc + "[g" + std::string("\x02\x00", 2) + "xy", "", "\x0c",
         ""},
        {"terminated run", kFF + kEsc + "B" + "xyz" + std::string(1, '\0'), "", "\x0c", ""},
    };
    for (const FormFeedCase& c : cases) {
        EXPECT_EQ(Run(TEXT("RAW"), c.data).portBytes, c.data + c.afterRaw) << c.what;
        EXPECT_EQ(Run(TEXT("RAW [FF appended]"), c.data).portBytes, c.data + c.afterAppended) << c.what;
        EXPECT_EQ(Run(TEXT("RAW [FF auto]"), c.data).portBytes, c.data + c.afterAuto) << c.what;
    }
}

TEST_F(RawJobTest, EachCopyGetsItsOwnFormFeed)
{
    nirasim::PrintJobRun run = Run(TEXT("RAW [FF auto]"), "ab", TEXT("COPIES=2;"));
    EXPECT_TRUE(run.printed);
    EXPECT_EQ(run.portBytes,
              "ab\x0c"
              "ab\x0c");
}

TEST_F(RawJobTest, TheTrackerCarriesAnEscapeAcrossCopies)
{
    // Copy 1 ends in printable text and an ESC; the ESC takes copy 2's first byte "o" as its
    // name, so copy 2 ends with the command "o" and gets no form feed.
    std::string data = "o" + kEsc;
    nirasim::PrintJobRun run = Run(TEXT("RAW [FF auto]"), data, TEXT("COPIES=2;"));
    EXPECT_EQ(run.portBytes, data + kFF + data);
}

TEST_F(RawJobTest, NoCopiesGiveAnEmptyDocumentAndFailure)
{
    nirasim::PrintJobRun run = Run(TEXT("RAW"), "data", TEXT("COPIES=0;"));
    EXPECT_TRUE(run.opened);
    EXPECT_FALSE(run.printed);
    EXPECT_EQ(run.portBytes, "");
    bool ended = false;
    for (const nirasim::SpoolerJob& job : Machine().Jobs()) {
        ended = ended || (job.id > run.spooledJobId && job.ended && job.data.empty());
    }
    EXPECT_TRUE(ended);
}

TEST_F(RawJobTest, ARefusedDocumentFailsTheJobAtOnce)
{
    Machine().RefuseDocuments(kPrinter, ERROR_ACCESS_DENIED);
    nirasim::PrintJobRun run = Run(TEXT("RAW"), "data");
    EXPECT_FALSE(run.printed);
    EXPECT_EQ(run.portBytes, "");
}

}  // namespace
