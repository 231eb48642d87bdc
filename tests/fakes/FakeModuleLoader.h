#pragma once
// Modules and exports that a test makes up, with every load written down: a load holds the
// module in the process until it is released.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/ModuleLoader.h"

class FakeModuleLoader final : public platform::ModuleLoader {
public:
    // What Load answers for `fileName` from now on; unknown names answer null.
    void AnswerLoad(const std::string& fileName, HMODULE module) { loadable_[fileName] = module; }
    // A module that FindLoaded reports as already in the process.
    void AddLoaded(const std::string& moduleName, HMODULE module) { loaded_[moduleName] = module; }
    template <typename Fn>
    void AddExport(HMODULE module, const std::string& functionName, Fn function) {
        exports_[{module, functionName}] =
            reinterpret_cast<FARPROC>(reinterpret_cast<void*>(function));
    }

    const std::vector<std::string>& Loads() const { return loads_; }
    const std::vector<std::wstring>& SystemFolderLoads() const { return systemLoads_; }

    HMODULE Load(const char* fileName) override {
        loads_.push_back(fileName);
        const auto found = loadable_.find(fileName);
        return found == loadable_.end() ? nullptr : found->second;
    }
    // Nothing is found in the system folder.
    HMODULE LoadFromSystemFolder(const wchar_t* fileName) override {
        systemLoads_.push_back(fileName);
        return nullptr;
    }
    void Release(HMODULE) override {}
    HMODULE FindLoaded(const char* moduleName) override {
        const auto found = loaded_.find(moduleName);
        return found == loaded_.end() ? nullptr : found->second;
    }
    FARPROC Export(HMODULE module, const char* functionName) override {
        const auto found = exports_.find({module, functionName});
        return found == exports_.end() ? nullptr : found->second;
    }

private:
    std::map<std::string, HMODULE> loadable_;
    std::map<std::string, HMODULE> loaded_;
    std::map<std::pair<HMODULE, std::string>, FARPROC> exports_;
    std::vector<std::string> loads_;
    std::vector<std::wstring> systemLoads_;
};
