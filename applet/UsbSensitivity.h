#pragma once
// The sensitivity requests of a USB touch controller, sent through its driver (MEKA) on the
// device's cached handle. A request fails when the device has no handle or the driver refuses
// it. Reply words start as "no value" (0xFFFF) and keep it when the request fails, so a failed
// request never passes for an answer.
#include <cstdint>

class CDeviceSettings;

// IOCTL_SENSITIVITY_COMMAND: `reply` gets the raw value after the command.
bool SendSensitivityCommand(CDeviceSettings* device, uint16_t command, uint16_t& reply);
// IOCTL_SENSITIVITY_MODE: store the sensitivity data (kSensitivityStoreData) or fetch it back.
bool SendSensitivityMode(CDeviceSettings* device, uint16_t mode);
// IOCTL_SENSITIVITY_DATA: the word at a data address.
bool ReadSensitivityWord(CDeviceSettings* device, uint16_t address, uint16_t& word);
// IOCTL_SENSITIVITY_DATA for address 0 without a reply area: does the controller take requests?
bool ProbeSensitivityData(CDeviceSettings* device);
// IOCTL_SENSITIVITY_CONT, no buffers.
bool SendSensitivityCont(CDeviceSettings* device);
