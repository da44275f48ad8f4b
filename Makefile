# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands of the README: `make run` and `make test`.
PRESET ?= default
JOBS ?= $(shell nproc)

.PHONY: all deps configure build test test-asan fuzz bench deb format format-check translations run clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) > /dev/null

build: configure
	cmake --build --preset $(PRESET) -j $(JOBS)

test: build
	ctest --preset $(PRESET)

# Core and server tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	@cmake --preset asan > /dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan

# Every libFuzzer target for FUZZ_SECONDS each, starting from fuzz/corpus.
FUZZ_SECONDS ?= 60
fuzz: deps
	@cmake --preset fuzz > /dev/null
	cmake --build --preset fuzz -j $(JOBS)
	scripts/run-fuzzers.sh $(FUZZ_SECONDS)

bench: build
	build/$(PRESET)/bin/bench_parameter_codec
	build/$(PRESET)/bin/bench_text_extraction
	build/$(PRESET)/bin/bench_map_request
	build/$(PRESET)/bin/bench_marker_set
	build/$(PRESET)/bin/bench_interchange
	build/$(PRESET)/bin/bench_map_page
	build/$(PRESET)/bin/bench_geo_data
	build/$(PRESET)/bin/bench_server_load
	build/$(PRESET)/bin/bench_online_street

# A Debian package, build/$(PRESET)/package/orbisk_<version>_amd64.deb. Its
# file times are those of the last commit unless SOURCE_DATE_EPOCH says
# otherwise, so the same tree packs to the same bytes.
deb: build
	cd build/$(PRESET) && SOURCE_DATE_EPOCH=$${SOURCE_DATE_EPOCH:-$$(git log -1 --format=%ct)} cpack -G DEB

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

# The translation sources after a change of the texts in src/.
translations:
	scripts/update-translations.sh

format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

run: build
	@PRESET=$(PRESET) scripts/run.sh

clean:
	rm -rf build
