// The calibrator's operations on the driver parameter store and the driver.
// Each opens the store anew and closes it again.
#pragma once

#include "driver_contract.h"

// The set in force when the calibration window was created, and the beep mode.
extern CalibrationSet SavedCalibration;
extern int32_t SavedBeepMode;
// Once a reload request has opened the driver's control device: the driver
// is loaded.
extern bool ReloadReachedDriver;

// Returns the named value. When the store does not open (the user is told) or
// the value is missing or not a 4-byte REG_DWORD, returns the setup's default
// for that name, so that writing the result back corrupts nothing.
int32_t ReadParameter(const char *name);

// Writes "BeepMode" (telling the user when the store does not open), then
// sends the reload request in every case.
void SetBeepMode(int32_t mode);

// Asks the driver to re-read the store; silently nothing without a driver.
void SendReloadRequest();

// Reads the five values into the destinations given. Nothing is read when one
// of the first four is missing; a missing swapXY only skips that value. Values
// the store lacks, or holds as anything but a 4-byte REG_DWORD, keep what the
// destination held. Silent when the store does not open.
void ReadCalibration(int32_t *leftOffset, int32_t *topOffset, int32_t *xMikeyPerPixel,
                     int32_t *yMikeyPerPixel, int32_t *swapXY);

// Writes the five values, then sends the reload request; silently nothing at
// all when the store does not open.
void WriteCalibration(const CalibrationSet &set);

// Writes SavedCalibration back.
void RestoreCalibration();
