# The project's front door: dependencies, build, run and tests over CMake and CTest.

ROOT := $(patsubst %/,%,$(dir $(abspath $(lastword $(MAKEFILE_LIST)))))
BUILD_DIR ?= $(ROOT)/build
BENCH_DIR ?= $(ROOT)/build-bench
ASAN_DIR ?= $(ROOT)/build-asan
FUZZ_DIR ?= $(ROOT)/build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_HARNESSES := numbers hydraulics workbook scenario
JOBS ?= $(shell nproc 2>/dev/null || echo 4)
OUT ?= $(ROOT)/out/screenshots
FILE ?=

# Debian packages the build, the tests and the offscreen pictures need.
DEB_PACKAGES := cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
  libsqlite3-dev libzip-dev zlib1g-dev libpugixml-dev qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev xvfb xauth \
  fonts-dejavu-core python3-openpyxl
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
APT := $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get

.PHONY: deps configure build run test scenario screenshots bench sanitize fuzz format

deps:
	@missing=""; \
	for p in $(DEB_PACKAGES); do \
	  dpkg -s $$p 2>/dev/null | grep -q '^Status: install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(APT) update && $(APT) install -y --no-install-recommends $$missing; \
	fi

configure: deps
	@cmake -S $(ROOT) -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGW_WERROR=ON >/dev/null

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

# The program alone: the tests are built by `make test`.
run: configure
	cmake --build $(BUILD_DIR) -j$(JOBS) --target gw_program
	$(BUILD_DIR)/program/gullyworks

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j8

scenario: build
	@if [ -z "$(FILE)" ]; then echo 'usage: make scenario FILE="path.scn ..."'; exit 2; fi
	$(BUILD_DIR)/scenario --program $(BUILD_DIR)/program --fixtures $(BUILD_DIR)/fixtures $(FILE)

# Every window as the engineer sees it, with the project of the user's guide's worked example
# open: the transcript tests/scenarios/guide_example.scn plays the example on the program folder
# as it ships and leaves its project in $(OUT)/example. The guide's pictures (data/help/guide)
# are these pictures as they stand.
screenshots: configure
	cmake --build $(BUILD_DIR) -j$(JOBS) --target gw_program test_fixtures scenario
	@rm -rf $(OUT)/example && mkdir -p $(OUT)/example
	@$(BUILD_DIR)/scenario --program $(BUILD_DIR)/fixtures/shipped --fixtures $(BUILD_DIR)/fixtures \
	  --keep $(OUT)/example $(ROOT)/tests/scenarios/guide_example.scn
	@QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/program/gullyworks --screenshots $(OUT) \
	  --sample "$(OUT)/example/Mill Creek.gwp"

# The benchmarks' peer, XlsxWriter, from Debian for /usr/bin/python3: only the benchmarks use it.
BENCH_PACKAGES := python3-xlsxwriter

bench: deps
	@dpkg -s $(BENCH_PACKAGES) 2>/dev/null | grep -q '^Status: install ok installed' || \
	  { $(APT) update && $(APT) install -y --no-install-recommends $(BENCH_PACKAGES); } || \
	  echo "$(BENCH_PACKAGES) could not be installed: the peer benchmark will be skipped"
	cmake -S $(ROOT) -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DGW_BUILD_BENCH=ON -DGW_BUILD_APP=ON
	cmake --build $(BENCH_DIR) -j$(JOBS) --target gw_benchmarks
	@set -e; found=0; \
	for b in $$(find $(BENCH_DIR) -type f -name 'bench_*' -perm -u+x | sort); do \
	  found=1; echo "== $$b"; $$b; \
	done; \
	if [ $$found = 0 ]; then echo "no benchmarks were built"; exit 1; fi

sanitize: deps
	cmake -S $(ROOT) -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGW_SANITIZE=ON -DGW_WERROR=ON
	cmake --build $(ASAN_DIR) -j$(JOBS)
	ctest --test-dir $(ASAN_DIR) --output-on-failure -j8

# Each fuzz harness runs FUZZ_SECONDS over its seeds (tests/fuzz/corpus/<name>, the built
# report templates for the workbook, the scenarios for the parser) plus what earlier runs
# found (build-fuzz/corpus/<name>). A finding stops the target, its input kept in
# build-fuzz/findings/. Needs clang; not part of `make test`.
fuzz: deps
	@command -v clang++ >/dev/null 2>&1 || { echo "Installing: clang"; $(APT) update && $(APT) install -y --no-install-recommends clang; }
	cmake -S $(ROOT) -B $(FUZZ_DIR) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGW_BUILD_FUZZ=ON -DGW_BUILD_APP=OFF
	cmake --build $(FUZZ_DIR) -j$(JOBS) --target $(addprefix fuzz_,$(FUZZ_HARNESSES)) report_templates
	@set -e; mkdir -p $(FUZZ_DIR)/findings; \
	for h in $(FUZZ_HARNESSES); do \
	  mkdir -p $(FUZZ_DIR)/corpus/$$h; extra=""; \
	  if [ $$h = workbook ]; then cp $(FUZZ_DIR)/program/*.xlr $(FUZZ_DIR)/corpus/$$h/; fi; \
	  if [ $$h = scenario ]; then extra=$(ROOT)/tests/scenarios; fi; \
	  echo "== fuzz_$$h: $(FUZZ_SECONDS) s"; \
	  $(FUZZ_DIR)/tests/fuzz/fuzz_$$h -max_total_time=$(FUZZ_SECONDS) -timeout=30 -rss_limit_mb=4096 \
	    -print_final_stats=1 -artifact_prefix=$(FUZZ_DIR)/findings/$$h- \
	    $(FUZZ_DIR)/corpus/$$h $(ROOT)/tests/fuzz/corpus/$$h $$extra 2>$(FUZZ_DIR)/fuzz_$$h.log \
	    || { tail -40 $(FUZZ_DIR)/fuzz_$$h.log; exit 1; }; \
	  grep -E '^stat::number_of_executed_units|^Done' $(FUZZ_DIR)/fuzz_$$h.log; \
	done

# Applies the project's code style (.clang-format) to every tracked C++ file.
format:
	@command -v clang-format >/dev/null 2>&1 || { echo "Installing: clang-format"; $(APT) update && $(APT) install -y --no-install-recommends clang-format; }
	cd $(ROOT) && git ls-files '*.cpp' '*.h' | xargs clang-format -i
