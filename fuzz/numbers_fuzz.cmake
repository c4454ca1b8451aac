qm_add_fuzzer(numbers LIBS qm_common)
