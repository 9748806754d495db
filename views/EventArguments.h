#pragma once
// Typed, checked access to the arguments of a DWebBrowserEvents2 call.
// Arguments arrive in reverse order in rgvarg; every accessor checks the
// count and the type and answers null when they do not fit.
#include <oaidl.h>

namespace lum {

// Argument `index` counted from the first one of the event's signature;
// a by-reference VARIANT is followed once.
const VARIANT* EventArgument(const DISPPARAMS* params, UINT index);

const wchar_t* StringArgument(const DISPPARAMS* params, UINT index);   // VT_BSTR (may be empty)
IDispatch* DispatchArgument(const DISPPARAMS* params, UINT index);     // VT_DISPATCH
VARIANT_BOOL* BoolReferenceArgument(const DISPPARAMS* params, UINT index);  // VT_BOOL | VT_BYREF
bool UnsignedArgument(const DISPPARAMS* params, UINT index, DWORD& value);  // VT_I4 / VT_UI4

} // namespace lum
