// Makes every nothrow new of the test program fail while armed (the global operators are
// replaced for the whole program).
#pragma once

void FailNothrowAllocations(bool fail);
