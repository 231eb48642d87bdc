#pragma once
// Identifiers of the resources that the code and the .rc file share.

#define IDS_OUT_OF_RANGE 1
