# make run   installs what is missing, builds and starts the program
# make test  installs what is missing, builds and runs every test, plain and
#            under AddressSanitizer and UndefinedBehaviorSanitizer
BUILD ?= build
BUILD_SANITIZE ?= build-sanitize
JOBS ?= $(shell nproc)

.PHONY: run test deps build build-sanitize bench clean

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

build-sanitize: deps
	cmake -S . -B $(BUILD_SANITIZE) -DCMAKE_BUILD_TYPE=Debug -DZIVENTA_SANITIZE=ON
	cmake --build $(BUILD_SANITIZE) -j $(JOBS)

# Without a display the program says so itself, in one line.
run: build
	$(BUILD)/app/ziventa

test: build build-sanitize
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(BUILD_SANITIZE) && LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS) -LE no-sanitize

bench: build
	bash bench/run.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD_SANITIZE)
