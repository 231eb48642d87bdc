# make run: build Velmora and start it under Wine.  make test: build and run every test.
# Both install what they need on a fresh Debian machine first.

MAKEFLAGS += --no-print-directory

BUILD ?= build
BUILD_DIR := $(abspath $(BUILD))

export WINEPREFIX := $(BUILD_DIR)/wineprefix
export WINEARCH := win64
export WINEDEBUG := -all
# Keep Wine from offering to install its optional .NET and HTML parts.
export WINEDLLOVERRIDES := mscoree=;mshtml=
# The fonts Wine may use, written by tools/wine-session.sh: the same on every machine.
export FONTCONFIG_FILE := $(BUILD_DIR)/fontconfig/fonts.conf

.PHONY: all deps configure build test run format clean

all: build

deps:
	@tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j2

test: build
	@tools/check-format.sh
	@tools/check-clang.sh $(BUILD_DIR)
	@tools/wine-session.sh ctest --test-dir $(BUILD_DIR) --output-on-failure

run: configure
	@cmake --build $(BUILD_DIR) -j2 --target Velmora
	@tools/wine-session.sh wine $(BUILD_DIR)/Velmora.exe

format: deps
	@git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format -i

clean:
	rm -rf $(BUILD_DIR)
