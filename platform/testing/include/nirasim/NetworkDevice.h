// Test control of the simulated network: printers on network ports that answer SNMP requests.
//
// A device is known by the port its printer is on. The driver package's device servers reach it
// through the simulated transport (package/devservers/sim), which reads what is set here from the
// machine's registry (HKLM "SOFTWARE\NiraSim\NetworkDevices\<port>") and journals every request.
#pragma once

#include <nirasim/Machine.h>

#include <string>
#include <vector>

namespace nirasim {
namespace network {

// Puts a device on the port; `supported` is what the device-status server answers for it.
void AddDevice(const Text& port, bool supported = true);
// The answer of an object id: a type byte (0, 4, 5 text-like; 1, 2, 8 integers) and its bytes.
// An object id without an answer is answered with error 2 (no such name).
void SetAnswer(const Text& port, const Text& objectId, BYTE type, const std::string& bytes);
// The number of object ids of each get request the device received, in order.
std::vector<DWORD> RequestSizes(const Text& port);
// The object ids the device was asked for, in order.
std::vector<std::u16string> RequestedIds(const Text& port);

}  // namespace network
}  // namespace nirasim
