# The Python tests' shared package: the product's constants (product), generic helpers
# (support), and the X servers and Wine box of the end-to-end tests (winebox).
