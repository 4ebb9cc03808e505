# Gladewarden: `make play` to play, `make test` to run every test.

BUILD    := build
NATIVE   := $(BUILD)/native
SANITIZE := $(BUILD)/sanitize
WINDOWS  := $(BUILD)/windows
JOBS     ?= $(shell nproc 2>/dev/null || echo 2)
EXE      := $(abspath $(WINDOWS))/gladewarden.exe

.PHONY: all deps native windows sanitize format-check test play clean

all: native windows

deps:
	@scripts/install-deps.sh

native: deps
	@cmake -S . -B $(NATIVE) -DGLADEWARDEN_EXE=$(EXE) >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

# The Windows build takes its generated assets from the native build.
windows: native
	@cmake -S . -B $(WINDOWS) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake \
	    -DGLADEWARDEN_ASSET_DIR=$(abspath $(NATIVE))/assets >/dev/null
	@cmake --build $(WINDOWS) -j $(JOBS)

sanitize: deps
	@cmake -S . -B $(SANITIZE) -DGLADEWARDEN_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE) -j $(JOBS) --target unit_tests

# Every tracked C/C++ file follows .clang-format.
format-check: deps
	@git ls-files '*.cpp' '*.h' '*.c' | xargs clang-format --dry-run -Werror --style=file

test: format-check native windows sanitize
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS) -L unit
	@cd $(SANITIZE) && ctest --output-on-failure -j $(JOBS) -L unit
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS) -LE unit

play: windows
	@scripts/play.sh $(EXE)

clean:
	rm -rf $(BUILD)
