# Stand-ins for the MGED commands that RT scripts use, so that plain tclsh
# can run a script: each checks its number of arguments and the form of its
# numbers and remembers the objects made, and fails the run on the first
# mistake. Usage: tclsh stub_mged.tcl SCRIPT

set ::stub_objects [dict create]
set ::stub_shown 0

proc stub_fail {message} { return -code error "stub MGED: $message" }

proc stub_number {command value} {
    if {![string is double -strict $value] || [string match -nocase "*n*" $value]} {
        stub_fail "$command: \"$value\" is not a number"
    }
}

proc stub_integer {command value low high} {
    if {![string is integer -strict $value] || $value < $low || $value > $high} {
        stub_fail "$command: \"$value\" is not an integer from $low to $high"
    }
}

proc stub_arity {command arguments low high} {
    set count [llength $arguments]
    if {$count < $low || ($high >= 0 && $count > $high)} {
        stub_fail "$command: wrong number of arguments ($count): $arguments"
    }
}

proc stub_exists {command name} {
    if {![dict exists $::stub_objects $name]} { stub_fail "$command: no object \"$name\"" }
}

proc stub_make {command name kind} {
    if {[dict exists $::stub_objects $name]} { stub_fail "$command: \"$name\" exists already" }
    dict set ::stub_objects $name $kind
}

array set ::stub_in_values {rpp 6 box 12 arb4 12 arb8 24 sph 4 rcc 7 trc 8}

proc in {args} {
    stub_arity in $args 2 -1
    set name [lindex $args 0]
    set type [lindex $args 1]
    set values [lrange $args 2 end]
    foreach value $values { stub_number "in $name" $value }
    if {$type eq "arbn"} {
        stub_integer "in $name arbn" [lindex $values 0] 4 1000000
        if {[llength $values] != 1 + 4 * [lindex $values 0]} {
            stub_fail "in $name arbn: [llength $values] values for [lindex $values 0] planes"
        }
    } elseif {[info exists ::stub_in_values($type)]} {
        if {[llength $values] != $::stub_in_values($type)} {
            stub_fail "in $name $type: [llength $values] values, $::stub_in_values($type) needed"
        }
    } else {
        stub_fail "in $name: unknown primitive \"$type\""
    }
    switch -- $type {
        rpp {
            foreach {low high} $values {
                if {$low > $high} { stub_fail "in $name rpp: minimum $low above maximum $high" }
            }
        }
        sph { if {[lindex $values 3] <= 0} { stub_fail "in $name sph: radius [lindex $values 3]" } }
        rcc - trc {
            lassign [lrange $values 3 5] hx hy hz
            if {$hx == 0 && $hy == 0 && $hz == 0} { stub_fail "in $name $type: zero height" }
            foreach radius [lrange $values 6 end] {
                if {$radius < 0} { stub_fail "in $name $type: radius $radius" }
            }
        }
    }
    stub_make in $name primitive
}

proc stub_members {command name members} {
    if {[llength $members] < 2 || [llength $members] % 2 != 0} {
        stub_fail "$command $name: members must be pairs of operation and name: $members"
    }
    foreach {operation member} $members {
        if {$operation ni {u + -}} { stub_fail "$command $name: unknown operation \"$operation\"" }
        stub_exists "$command $name" $member
    }
}

proc comb {name args} {
    stub_members comb $name $args
    stub_make comb $name combination
}

proc r {name args} {
    stub_members r $name $args
    stub_make r $name region
}

proc mater {args} {
    stub_arity mater $args 6 6
    lassign $args name shader red green blue inherit
    stub_exists mater $name
    if {![regexp {^plastic \{tr (\S+) re (\S+)\}$} $shader -> transparency reflectivity]} {
        stub_fail "mater $name: shader \"$shader\""
    }
    stub_number "mater $name" $transparency
    stub_number "mater $name" $reflectivity
    foreach component [list $red $green $blue] { stub_integer "mater $name" $component 0 255 }
    stub_integer "mater $name" $inherit 0 1
}

proc draw {args} {
    foreach name $args { stub_exists draw $name }
    incr ::stub_shown [llength $args]
}

proc ae {args} {
    stub_arity ae $args 3 3
    foreach value $args { stub_number ae $value }
}

proc view {args} {
    stub_arity view $args 2 4
    switch -- [lindex $args 0] {
        center { stub_arity "view center" [lrange $args 1 end] 3 3 }
        size { stub_arity "view size" [lrange $args 1 end] 1 1 }
        default { stub_fail "view: unknown subcommand [lindex $args 0]" }
    }
    foreach value [lrange $args 1 end] { stub_number view $value }
}

proc rt {args} {
    set valued {-s -w -n -V -a -e -o}
    for {set i 0} {$i < [llength $args]} {incr i} {
        set option [lindex $args $i]
        if {[string index $option 0] ne "-"} { stub_fail "rt: \"$option\" is not an option" }
        if {$option in $valued} {
            incr i
            if {$i >= [llength $args]} { stub_fail "rt: $option needs a value" }
            if {$option ne "-o"} { stub_number "rt $option" [lindex $args $i] }
        } elseif {[regexp {^-C(.*)$} $option -> colour]} {
            set parts [split $colour /]
            if {[llength $parts] != 3} { stub_fail "rt: colour \"$colour\"" }
            foreach part $parts { stub_integer "rt -C" $part 0 255 }
        } elseif {[regexp {^-F:?(.*)$} $option -> port]} {
            stub_integer "rt -F" $port 0 65535
        } elseif {[regexp {^-([PHJl])(.*)$} $option -> letter value]} {
            stub_number "rt -$letter" $value
        } elseif {$option ne "-R"} {
            stub_fail "rt: unknown option \"$option\""
        }
    }
}

# vdraw keeps one open curve: its name, colour and points must come between
# "open" and "send", and a curve's first point starts a line (pen 0).
set ::stub_curve ""
set ::stub_curve_points 0
set ::stub_curves [dict create]

proc stub_open_curve {command} {
    if {$::stub_curve eq ""} { stub_fail "$command: no vdraw curve is open" }
}

proc vdraw {args} {
    stub_arity vdraw $args 1 -1
    set rest [lrange $args 1 end]
    switch -- [lindex $args 0] {
        open {
            stub_arity "vdraw open" $rest 1 1
            if {$::stub_curve ne ""} { stub_fail "vdraw open: curve \"$::stub_curve\" is still open" }
            set ::stub_curve [lindex $rest 0]
            set ::stub_curve_points 0
        }
        params {
            stub_arity "vdraw params" $rest 2 2
            stub_open_curve "vdraw params"
            if {[lindex $rest 0] ne "color" || ![regexp {^[0-9a-f]{6}$} [lindex $rest 1]]} {
                stub_fail "vdraw params: $rest"
            }
        }
        write {
            stub_arity "vdraw write" $rest 5 5
            stub_open_curve "vdraw write"
            if {[lindex $rest 0] ne "next"} { stub_fail "vdraw write: $rest" }
            stub_integer "vdraw write" [lindex $rest 1] 0 1
            if {$::stub_curve_points == 0 && [lindex $rest 1] != 0} {
                stub_fail "vdraw write: the first point of $::stub_curve continues no line"
            }
            foreach value [lrange $rest 2 end] { stub_number "vdraw write" $value }
            incr ::stub_curve_points
        }
        send {
            stub_arity "vdraw send" $rest 0 0
            stub_open_curve "vdraw send"
            if {$::stub_curve_points == 0} { stub_fail "vdraw send: $::stub_curve has no points" }
            dict set ::stub_curves $::stub_curve $::stub_curve_points
            set ::stub_curve ""
        }
        default { stub_fail "vdraw: unknown subcommand [lindex $args 0]" }
    }
}

proc opendb {args} {
    stub_arity opendb $args 1 2
    if {[llength $args] == 2 && [lindex $args 1] ne "y"} { stub_fail "opendb: [lindex $args 1]" }
    set ::stub_objects [dict create]
}

proc closedb {args} { stub_arity closedb $args 0 0 }
proc Z {args} { stub_arity Z $args 0 0 }

proc units {args} {
    stub_arity units $args 1 1
    if {[lindex $args 0] ni {mm cm m in ft um km}} { stub_fail "units: [lindex $args 0]" }
}

proc dm {args} {
    if {$args ne "size"} { stub_fail "dm: $args" }
    return "512 384"
}

rename exec stub_tcl_exec
proc exec {args} {
    stub_arity exec $args 1 -1
    if {[lindex $args 0] ni {fbfree fbserv sleep}} { stub_fail "exec: [lindex $args 0]" }
    return ""
}

rename after stub_tcl_after
proc after {milliseconds args} {
    stub_integer after $milliseconds 0 60000
    if {[llength $args] > 0} { uplevel #0 $args }
}

rename file stub_tcl_file
proc file {args} {
    if {[lindex $args 0] ne "delete"} { stub_fail "file: [lindex $args 0]" }
    stub_arity "file delete" [lrange $args 1 end] 1 -1
}

rename source stub_tcl_source
proc source {args} {
    stub_arity source $args 1 1
    if {![stub_tcl_file exists [lindex $args 0]]} { stub_fail "source: no file [lindex $args 0]" }
    uplevel #0 [list stub_tcl_source [lindex $args 0]]
}

if {$argc != 1} { puts stderr "usage: tclsh stub_mged.tcl SCRIPT"; exit 2 }
if {[catch {uplevel #0 [list stub_tcl_source [lindex $argv 0]]} message]} {
    puts stderr "STUB RUN FAILED: $message"
    exit 1
}
if {$::stub_curve ne ""} {
    puts stderr "STUB RUN FAILED: vdraw curve \"$::stub_curve\" was never sent"
    exit 1
}
puts "STUB RUN OK: [dict size $::stub_objects] objects, $::stub_shown drawn, curves: $::stub_curves"
