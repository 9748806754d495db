#pragma once
// Resource identifiers shared by the resource script and the code.
#define IDI_LUMENARY 104
#define IDI_LUMENARY_SMALL 105
