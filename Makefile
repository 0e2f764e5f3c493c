# make run: install what is missing, build, start the builder.
# make test: install, build, run every test (UI tests in real windows under Xvfb).
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# Rebuilds in several checkouts are quicker through ccache; without it nothing changes.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
WERROR ?= ON

.PHONY: all deps build run display test test-asan bench fuzz demo screenshots clean

all: build

deps:
	@tools/install-deps

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX_WERROR=$(WERROR) $(LAUNCHER) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: display build
	dist/bin/Vellumax

# Without a display the window would open nowhere to be seen: say so before building.
display:
	@if [ -z "$$DISPLAY" ]; then \
	  echo "make run opens the builder's window and needs a desktop session, but DISPLAY is not set."; \
	  echo "Run it in a terminal of your desktop (or over ssh -X). make test needs none."; \
	  exit 1; \
	fi

# -noreset: Xvfb would otherwise reset whenever its last window closes, and a test that connects
# at that moment fails with "Can't open display".
test: build
	cd $(BUILD) && xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --output-on-failure -j $(JOBS)

# The same tests once more with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVX_SANITIZE=ON \
	  -DVX_WERROR=$(WERROR) -DVX_DIST_DIR=$(CURDIR)/build-asan/dist $(LAUNCHER)
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --output-on-failure -j $(JOBS)

bench: build
	cmake --build $(BUILD) --target benchmarks
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" $$b || exit 1; done

# Every fuzz target for FUZZ_SECONDS (60 by default).
FUZZ_SECONDS ?= 60
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DVX_FUZZ=ON -DVX_DIST_DIR=$(CURDIR)/build-fuzz/dist
	cmake --build build-fuzz -j $(JOBS)
	@for f in build-fuzz/tests/fuzz/fuzz_*; do \
	  name=$$(basename $$f); mkdir -p build-fuzz/corpus/$$name; \
	  echo "== $$name"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 -artifact_prefix=build-fuzz/ \
	    build-fuzz/corpus/$$name \
	    tests/fuzz/seeds/$$name || exit 1; \
	done

# A sample project with pictures made by code, made into dist/output.
demo: build
	$(BUILD)/tools/make_demo dist
	dist/bin/vellumax-make dist/projects/Demo.vxpr
	@echo "Open it: dist/output/Demo.run   (password: vellumax)"

# The viewer on the demo archive and the builder's dialogs, in real windows under Xvfb, saved
# as PNG files; then the viewer's main window and a dialog on a desktop at twice the density.
screenshots: demo
	xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" $(BUILD)/tools/viewer_screenshots dist/output/Demo.run dist/screenshots
	VX_SCALE=2 xvfb-run -a -s "-screen 0 2560x2048x24 -noreset" $(BUILD)/tools/viewer_screenshots dist/output/Demo.run dist/screenshots
	xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" $(BUILD)/tools/builder_screenshots dist dist/screenshots

clean:
	rm -rf build build-asan build-fuzz dist
