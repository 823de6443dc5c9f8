// One setup at a time: two wizards, or a wizard and an uninstallation, would
// undo each other's work (a second double-click on a slow floppy), and the
// first would still report success.
#pragma once

// True when this run goes on: it then holds the setup's mutex until it ends.
// A start just after another run ended waits a few seconds for it. When the
// other run still goes on after that, its window comes to the front (the
// wizard's page, the uninstallation's question box) and the result is
// false: this run must end without writing anything.
bool TakeSetupTurn();
