#pragma once
// Each bench prints its figures; false when it could not run.

bool BenchSweeps();
bool BenchReadouts();
