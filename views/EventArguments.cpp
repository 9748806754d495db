#include "views/EventArguments.h"

namespace lum {

const VARIANT* EventArgument(const DISPPARAMS* params, UINT index) {
    if (!params || !params->rgvarg || index >= params->cArgs) return nullptr;
    const VARIANT* arg = &params->rgvarg[params->cArgs - 1 - index];
    if (arg->vt == (VT_VARIANT | VT_BYREF)) arg = arg->pvarVal;
    return arg;
}

const wchar_t* StringArgument(const DISPPARAMS* params, UINT index) {
    const VARIANT* arg = EventArgument(params, index);
    if (!arg || arg->vt != VT_BSTR) return nullptr;
    return arg->bstrVal ? arg->bstrVal : L"";
}

IDispatch* DispatchArgument(const DISPPARAMS* params, UINT index) {
    const VARIANT* arg = EventArgument(params, index);
    return arg && arg->vt == VT_DISPATCH ? arg->pdispVal : nullptr;
}

VARIANT_BOOL* BoolReferenceArgument(const DISPPARAMS* params, UINT index) {
    const VARIANT* arg = EventArgument(params, index);
    return arg && arg->vt == (VT_BOOL | VT_BYREF) ? arg->pboolVal : nullptr;
}

bool UnsignedArgument(const DISPPARAMS* params, UINT index, DWORD& value) {
    const VARIANT* arg = EventArgument(params, index);
    if (!arg) return false;
    if (arg->vt == VT_I4) value = static_cast<DWORD>(arg->lVal);
    else if (arg->vt == VT_UI4) value = arg->ulVal;
    else return false;
    return true;
}

} // namespace lum
