#include "tests/webdb/BuilderProcess.h"

#include "tests/support/TestSupport.h"
#include "base/Scoped.h"

namespace lum::test {

ProcessResult RunBuilder(const std::vector<std::wstring>& arguments) {
    ProcessResult result;
    TempFolder temp;
    const std::wstring logPath = temp / L"builder.log";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    UniqueFile log(::CreateFileW(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log) return result;

    std::wstring command = L"\"" + TestBinFolder() + L"\\lumenary_dbbuilder.exe\"";
    for (const std::wstring& a : arguments) command += L" \"" + a + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = log.get();
    startup.hStdError = log.get();
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                          &process)) {
        return result;
    }
    UniqueHandle processHandle(process.hProcess);
    UniqueHandle threadHandle(process.hThread);
    if (::WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.hProcess, 99);
        ::WaitForSingleObject(process.hProcess, 5000);
        result.output = "builder did not finish";
        return result;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    result.exitCode = static_cast<int>(code);
    log.reset();
    const std::vector<unsigned char> bytes = ReadBytes(logPath);
    result.output.assign(bytes.begin(), bytes.end());
    return result;
}

} // namespace lum::test
