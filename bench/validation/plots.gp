# The validation document's plots, from the data quelvane_validate writes.
# Usage: gnuplot -e "data='DATA_DIR'; img='IMAGE_DIR'" plots.gp

set terminal pngcairo size 720,440 font ",10"
set grid lc rgb "#dddddd"
set key box opaque

# (a) The potential across the plates on 100 x 100.
set output img."/validation-capacitor.png"
set title "Infinite capacitor, 100 x 100: potential across the plates"
set xlabel "y (top at 0)"
set ylabel "potential"
set key bottom left
plot data."/capacitor-continuum.dat" using 1:2 with lines lw 2 lc rgb "#999999" title "continuum", \
     data."/capacitor-nodes.dat" using 1:3 with points pt 6 ps 1.2 lc rgb "#1f5fd6" title "exact discrete (tridiagonal)", \
     data."/capacitor-nodes.dat" using 1:2 with points pt 7 ps 0.5 lc rgb "#d62f1f" title "solver, converged"

# (b) Maximum error against N.
set output img."/validation-disc.png"
set title "Charged disc and smooth bump: maximum error against grid size"
set xlabel "N (nodes per side)"
set ylabel "max |phi - exact|"
set logscale xy
set xtics (100, 200, 400, 800)
set xrange [80:1000]
set format y "10^{%L}"
set key bottom left
stats data."/disc.dat" using 1:6 nooutput
n0 = STATS_min_x
e0 = STATS_max_y
plot data."/disc.dat" using 1:3 with linespoints pt 7 lw 2 lc rgb "#d62f1f" title "stamped disc", \
     data."/disc.dat" using 1:5 with linespoints pt 5 lw 2 lc rgb "#e08a1f" title "stamped disc vs. same-charge disc", \
     data."/disc.dat" using 1:6 with linespoints pt 9 lw 2 lc rgb "#1f5fd6" title "smooth bump", \
     e0 * (n0 / x)**2 with lines dt 2 lw 1.5 lc rgb "#444444" title "h^2"

# (c) Residual against sweeps.
set output img."/validation-sweeps.png"
set title "Relative residual against sweeps: SOR with the program's omega and Gauss-Seidel"
set xlabel "sweeps"
set ylabel "residual / first residual"
set xtics auto
set format x "10^{%L}"
set xrange [*:*]
set yrange [1e-9:2]
set xrange [1:4e5]
set key bottom left
plot for [n in "100 200 400"] data."/sweeps-sor-".n.".dat" using ($1 > 0 ? $1 : 1/0):2 \
         with lines lw 2 lc rgb (n eq "100" ? "#d62f1f" : n eq "200" ? "#2f9e3f" : "#1f5fd6") title "SOR, N = ".n, \
     for [n in "100 200 400"] data."/sweeps-gs-".n.".dat" using ($1 > 0 ? $1 : 1/0):2 \
         with lines lw 2 dt 2 lc rgb (n eq "100" ? "#d62f1f" : n eq "200" ? "#2f9e3f" : "#1f5fd6") title "Gauss-Seidel, N = ".n, \
     1e-8 with lines dt 3 lc rgb "#444444" title "10^{-8}"
